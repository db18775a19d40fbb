// list ARCHIVE and extract ARCHIVE [NAME]: the archive reader's directory and
// its extraction, as the program sees them.
#include <cinttypes>
#include <cstdio>

#include "catalogue/errors.h"
#include "catalogue/memory_stream.h"
#include "catalogue/unzipper.h"
#include "text/conversions.h"
#include "text/printable_utf8.h"
#include "tools/varnett-admin/archive_input.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

namespace {

// A directory entry's name as records prints texts, except that its "\"
// separators stay single, so a name can be handed back to extract.
std::string EntryName(const std::string& cp949) {
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t sep = cp949.find('\\', start);
    out += EscapedUtf8(std::string_view(cp949).substr(start, sep - start));
    if (sep == std::string::npos) return out;
    out += '\\';
    start = sep + 1;
  }
}

}  // namespace

int RunList(const Args& args) {
  if (args.size() != 1) return Usage();
  ArchiveInput input;
  if (!input.Load(args[0])) return kExitFailed;
  ConsoleDialogs dialogs;
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  std::string out;
  try {
    unzipper.Opening();
    const TSortedEntries& directory = *unzipper.Directory();
    for (size_t i = 0; i < directory.Count(); ++i) {
      const TZipEntry& e = directory[i];
      char line[128];
      std::snprintf(line, sizeof line, "%u %04x %" PRIu64 " %" PRIu64 " %08x %" PRIu64 " ",
                    unsigned(e.method), unsigned(e.flags), e.CompressedSize(), e.UncompressedSize(),
                    unsigned(e.crc32), e.LocalHeaderOffset());
      out += line;
      out += EntryName(e.FullName());
      out += '\n';
    }
  } catch (const CatalogueError& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  WriteOut(out);
  return kExitOk;
}

int RunExtract(const Args& args) {
  if (args.empty() || args.size() > 2) return Usage();
  ArchiveInput input;
  if (!input.Load(args[0])) return kExitFailed;
  ConsoleDialogs dialogs;
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  MemoryStream stream;
  int verified = 0;
  try {
    verified =
        unzipper.ExtractToStream(&stream, args.size() == 2 ? Utf8ToCp949(args[1]) : "Game.dat");
  } catch (const CatalogueError& e) {
    WriteErrorLine(e.what());
    return kExitFailed;
  }
  WriteOut(stream.Bytes());
  WriteErrorText("verified " + std::to_string(verified) + "\n");
  return verified >= 1 ? kExitOk : 1;
}

}  // namespace varnett
