// records --stream FILE: loads a table stream into the game table exactly as
// the program does and prints its visible records.
#include "catalogue/errors.h"
#include "catalogue/game_table.h"
#include "catalogue/memory_stream.h"
#include "catalogue/table_dump.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

namespace {

int PrintStreamRecords(const std::string& path) {
  std::string bytes, error;
  if (!ReadWholeFile(path, &bytes, &error)) {
    WriteErrorLine(error);
    return kExitFailed;
  }
  MemoryStream stream(std::move(bytes));
  GameCatalogue catalogue;
  try {
    catalogue.table.ClearRecords();
    stream.Seek(0);
    catalogue.table.LoadRecordsFromStream(stream);
  } catch (const CatalogueError& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  WriteOut(DumpVisibleRecords(catalogue.table));
  return kExitOk;
}

}  // namespace

int RunRecords(const Args& args) {
  if (args.size() == 2 && args[0] == "--stream") return PrintStreamRecords(args[1]);
  if (args.size() == 1 && args[0] != "--stream") return PrintArchiveRecords(args[0]);
  return Usage();
}

}  // namespace varnett
