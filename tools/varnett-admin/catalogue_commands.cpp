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
#include "tools/varnett-admin/texts.h"

namespace varnett {

namespace {

constexpr char kMember[] = "Game.dat";

// Extracts "Game.dat" and loads it into the table as the locator does: an
// empty or absent member leaves the table empty. Returns why the table is
// empty when that is so (UTF-8), or "" when it was loaded.
std::string LoadCatalogue(ArchiveInput& input, GameCatalogue* catalogue) {
  ConsoleDialogs dialogs(input.Path());
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  MemoryStream stream;
  unzipper.ExtractToStream(&stream, kMember);
  catalogue->Game_MemTable.ClearRecords();
  if (stream.Size() > 0) {
    stream.Seek(0);
    catalogue->Game_MemTable.LoadRecordsFromStream(stream);
  }
  const bool present = HasMember(unzipper, kMember);
  unzipper.CloseArchive();
  if (stream.Size() > 0) return "";
  return present ? Say(kEmptyMember, {kMember}) : Say(kNoMember, {kMember});
}

}  // namespace

int PrintArchiveRecords(const std::string& path) {
  ArchiveInput input;
  if (int status = input.Load(path)) return status;
  GameCatalogue catalogue;
  std::string empty_why;
  try {
    empty_why = LoadCatalogue(input, &catalogue);
  } catch (const CatalogueError& e) {
    ReportError(input.Path(), Say(kNotACatalogue, {OneLineUtf8(e.what())}));
    return kExitFailed;
  }
  if (!empty_why.empty()) {
    ReportError(input.Path(), empty_why);
    return kExitNothingFound;
  }
  WriteOut(DumpVisibleRecords(catalogue.Game_MemTable));
  return kExitOk;
}

int RunLookup(const CommandLine& line) {
  if (int usage = CheckOperands(line, {"ARCHIVE", "EDITION"})) return usage;
  const std::string& edition = line.operands[1];
  if (edition != "netmarble" && edition != "nexon")
    return UsageError(Say(kWrongEdition, {line.command, edition}));
  const bool netmarble = edition == "netmarble";
  const std::string key_utf8 = netmarble ? "서든어택" : "넥슨서든어택";
  const std::string key = Ko(key_utf8);
  ArchiveInput input;
  if (int status = input.Load(line.operands[0])) return status;
  GameCatalogue catalogue;
  std::string out, empty_why;
  try {
    empty_why = LoadCatalogue(input, &catalogue);
    TMemTable& table = catalogue.Game_MemTable;
    // The first record whose game name is the key, byte for byte.
    const TField& game = table.FieldNamed("Game");
    for (table.MoveFirst(); empty_why.empty() && !table.AtEnd(); table.MoveNext()) {
      if (!table.TextEquals(game, key)) continue;
      for (const char* name : {"MPath", "DPath", "InsRPath", "PRPath"}) {
        const TField& field = table.FieldNamed(name);
        out += std::string(name) + "=" +
               (table.IsNull(field) ? std::string() : EscapedUtf8(table.AsText(field))) + "\n";
      }
      break;
    }
  } catch (const CatalogueError& e) {
    ReportError(input.Path(), Say(kNotACatalogue, {OneLineUtf8(e.what())}));
    return kExitFailed;
  }
  if (out.empty()) {
    ReportError(input.Path(),
                !empty_why.empty()
                    ? empty_why
                    : Say(kNoRecord, {Say(netmarble ? kNetmarble : kNexon), key_utf8}));
    return kExitNothingFound;
  }
  WriteOut(out);
  return kExitOk;
}

}  // namespace varnett
