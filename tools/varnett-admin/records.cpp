// records --stream FILE: loads a table stream into the game table exactly as
// the program does and prints its visible records.
#include "catalogue/errors.h"
#include "catalogue/game_table.h"
#include "catalogue/memory_stream.h"
#include "catalogue/table_dump.h"
#include "text/printable_utf8.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#include "tools/varnett-admin/texts.h"

namespace varnett {

namespace {

int PrintStreamRecords(const std::string& path) {
  std::string bytes, error;
  if (!ReadWholeFile(path, &bytes, &error)) {
    ReportError(path, error);
    return kExitFailed;
  }
  if (bytes.empty()) {
    ReportError(path, Say(kEmptyFile));
    return kExitNothingFound;
  }
  MemoryStream stream(std::move(bytes));
  GameCatalogue catalogue;
  try {
    catalogue.Game_MemTable.ClearRecords();
    stream.Seek(0);
    catalogue.Game_MemTable.LoadRecordsFromStream(stream);
  } catch (const CatalogueError& e) {
    ReportError(path, Say(kNotAStream, {OneLineUtf8(e.what())}));
    return kExitFailed;
  }
  WriteOut(DumpVisibleRecords(catalogue.Game_MemTable));
  return kExitOk;
}

}  // namespace

int RunRecords(const CommandLine& line) {
  const bool stream = line.Has("--stream");
  if (int usage = CheckOperands(line, {stream ? "FILE" : "ARCHIVE"})) return usage;
  return stream ? PrintStreamRecords(line.operands[0]) : PrintArchiveRecords(line.operands[0]);
}

}  // namespace varnett
