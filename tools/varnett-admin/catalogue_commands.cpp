// records ARCHIVE and lookup ARCHIVE EDITION: the catalogue as the program
// reads it, from the archive through the table to the edition's record.
#include "catalogue/errors.h"
#include "catalogue/game_table.h"
#include "catalogue/memory_stream.h"
#include "catalogue/table_dump.h"
#include "catalogue/unzipper.h"
#include "text/conversions.h"
#include "text/printable_utf8.h"
#include "tools/varnett-admin/archive_input.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

namespace {

// Extracts "Game.dat" and loads it into the table as the locator does: an
// empty or absent member leaves the table empty.
void LoadCatalogue(ArchiveInput& input, GameCatalogue* catalogue) {
  ConsoleDialogs dialogs;
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  MemoryStream stream;
  unzipper.ExtractToStream(&stream, "Game.dat");
  catalogue->table.ClearRecords();
  if (stream.Size() > 0) {
    stream.Seek(0);
    catalogue->table.LoadRecordsFromStream(stream);
  }
  unzipper.CloseArchive();
}

}  // namespace

int PrintArchiveRecords(const std::string& path) {
  ArchiveInput input;
  if (!input.Load(path)) return kExitFailed;
  GameCatalogue catalogue;
  try {
    LoadCatalogue(input, &catalogue);
  } catch (const CatalogueError& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  WriteOut(DumpVisibleRecords(catalogue.table));
  return kExitOk;
}

int RunLookup(const Args& args) {
  if (args.size() != 2 || (args[1] != "netmarble" && args[1] != "nexon")) return Usage();
  const std::string key = Ko(args[1] == "netmarble" ? "서든어택" : "넥슨서든어택");
  ArchiveInput input;
  if (!input.Load(args[0])) return kExitFailed;
  GameCatalogue catalogue;
  std::string out;
  try {
    LoadCatalogue(input, &catalogue);
    TMemTable& table = catalogue.table;
    // The first record whose game name is the key, byte for byte.
    const TField& game = table.FieldNamed("Game");
    for (table.MoveFirst(); !table.AtEnd(); table.MoveNext()) {
      if (!table.TextEquals(game, key)) continue;
      for (const char* name : {"MPath", "DPath", "InsRPath", "PRPath"}) {
        const TField& field = table.FieldNamed(name);
        out += std::string(name) + "=" +
               (table.IsNull(field) ? std::string() : EscapedUtf8(table.AsText(field))) + "\n";
      }
      break;
    }
  } catch (const CatalogueError& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  if (out.empty()) return 1;
  WriteOut(out);
  return kExitOk;
}

}  // namespace varnett
