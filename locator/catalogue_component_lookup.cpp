#include "locator/catalogue_component_lookup.h"

#include "catalogue/memory_stream.h"

namespace varnett {

namespace {

constexpr char kMember[] = "Game.dat";

}  // namespace

CatalogueComponentLookup::Outcome FindInTable(TMemTable& table, const std::string& key,
                                              Candidates& candidates) {
  const TField& game = table.FieldNamed("Game");
  const TField& mpath = table.FieldNamed("MPath");
  const TField& dpath = table.FieldNamed("DPath");
  const TField& ins_rpath = table.FieldNamed("InsRPath");
  const TField& pr_path = table.FieldNamed("PRPath");
  table.MoveFirst();
  while (!table.AtEnd()) {
    // Byte for byte over the whole length: no trimming, no case folding.
    if (table.TextEquals(game, key)) {
      candidates.F1 = table.AsText(mpath);
      candidates.F2 = table.AsText(dpath);
      candidates.K1 = table.AsText(ins_rpath);
      candidates.K2 = table.AsText(pr_path);
      return CatalogueComponentLookup::Outcome::kFound;
    }
    table.MoveNext();
  }
  return CatalogueComponentLookup::Outcome::kNoRecord;
}

CatalogueComponentLookup::Outcome LookUpCatalogue(TUnZipper& zipper, TMemTable& table,
                                                  const std::string& catalogue_path,
                                                  const std::string& key, Candidates& candidates) {
  // The stream is freed on every way out; on failure the archive is left as
  // the failure left it, so an unchanged archive's directory is reused by
  // the next lookup.
  MemoryStream stream;
  zipper.SetZipName(catalogue_path);
  zipper.ExtractToStream(&stream, kMember);
  CatalogueComponentLookup::Outcome outcome = CatalogueComponentLookup::Outcome::kEmptyMember;
  if (stream.Size() > 0) {
    stream.Seek(0);
    table.ClearRecords();
    table.LoadRecordsFromStream(stream);
    outcome = FindInTable(table, key, candidates);
  }
  zipper.CloseArchive();
  return outcome;
}

CatalogueComponentLookup::CatalogueComponentLookup(ArchiveReaderSystem system) : reader_(system) {}

CatalogueComponentLookup::Outcome CatalogueComponentLookup::LookUp(
    const std::string& catalogue_path, const std::string& key, Candidates& candidates) {
  // A table read whole from this catalogue in this run serves the next
  // edition too: reading it again gives the same records. Only a successful
  // read is kept, so a damaged catalogue fails, and is reported, once per
  // edition as before.
  if (!loaded_path_.empty() && loaded_path_ == catalogue_path)
    return FindInTable(catalogue_.table, key, candidates);
  loaded_path_.clear();
  Outcome outcome = LookUpCatalogue(reader_, catalogue_.table, catalogue_path, key, candidates);
  if (outcome != Outcome::kEmptyMember) loaded_path_ = catalogue_path;
  return outcome;
}

}  // namespace varnett
