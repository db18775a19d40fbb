// list ARCHIVE and extract ARCHIVE [NAME] [-o FILE]: the archive reader's
// directory and its extraction, as the program sees them.
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
#include "tools/varnett-admin/texts.h"

namespace varnett {

int RunList(const CommandLine& line) {
  if (int usage = CheckOperands(line, {"ARCHIVE"})) return usage;
  ArchiveInput input;
  if (int status = input.Load(line.operands[0])) return status;
  ConsoleDialogs dialogs(input.Path());
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  std::string out;
  try {
    unzipper.Opening();
    const TSortedEntries& directory = *unzipper.Directory();
    for (size_t i = 0; i < directory.Count(); ++i) {
      const TZipEntry& e = directory[i];
      char fields[128];
      std::snprintf(fields, sizeof fields, "%u %04x %" PRIu64 " %" PRIu64 " %08x %" PRIu64 " ",
                    unsigned(e.method), unsigned(e.flags), e.CompressedSize(), e.UncompressedSize(),
                    unsigned(e.crc32), e.LocalHeaderOffset());
      out += fields;
      out += EscapedUtf8(e.FullName());
      out += '\n';
    }
  } catch (const CatalogueError& e) {
    ReportError(input.Path(), Say(kNotACatalogue, {OneLineUtf8(e.what())}));
    return kExitFailed;
  }
  WriteOut(out);
  return kExitOk;
}

int RunExtract(const CommandLine& line) {
  if (int usage = CheckOperands(line, {"ARCHIVE", "NAME"}, 1)) return usage;
  const bool to_file = line.Has("-o");
  // Checked first, so nothing is read for output that cannot go anywhere.
  if (!to_file && OutputIsConsole()) return UsageError(Say(kBinaryToConsole));
  // Writing the member over the archive would lose the archive.
  if (to_file && SameExistingFile(line.operands[0], line.options.at("-o")))
    return UsageError(Say(kOutputIsTheArchive));
  ArchiveInput input;
  if (int status = input.Load(line.operands[0])) return status;
  const std::string name_utf8 = line.operands.size() == 2 ? line.operands[1] : "Game.dat";
  const std::string name = Utf8ToCp949(name_utf8);
  ConsoleDialogs dialogs(input.Path());
  TUnZipper unzipper({input, dialogs});
  unzipper.SetZipName(input.Name());
  MemoryStream stream;
  int verified = 0;
  try {
    verified = unzipper.ExtractToStream(&stream, name);
  } catch (const CatalogueError& e) {
    ReportError(input.Path(), Say(kNotACatalogue, {OneLineUtf8(e.what())}));
    return kExitFailed;
  }
  if (to_file) {
    // A file of what failed its check would pass for the member: none is made.
    const std::string& target = line.options.at("-o");
    std::string error;
    if (verified < 1) {
      ReportError(target, Say(kNotWritten));
    } else if (!WriteWholeFile(target, stream.Bytes(), &error)) {
      ReportError(target, Say(kCannotWrite, {error}));
      return kExitFailed;
    }
  } else if (!WriteBinaryOut(stream.Bytes())) {
    ReportError("", Say(kCannotWrite, {"stdout"}));
    return kExitFailed;
  }
  WriteErrorText("verified " + std::to_string(verified) + "\n");
  if (verified >= 1) return kExitOk;
  ReportError(input.Path(), HasMember(unzipper, name) ? Say(kNotExtracted, {name_utf8})
                                                      : Say(kNoMember, {name_utf8}));
  return kExitNothingFound;
}

}  // namespace varnett
