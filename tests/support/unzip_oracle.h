// Info-ZIP's unzip and 7-Zip as independent decoders: an archive with the
// standard signatures goes to a scratch file, `unzip -p` or `7zz e -so`
// prints its members, and the printed bytes and exit status come back.
// POSIX only (the native build's tests and fuzz targets); the programs must
// be on the PATH.
#pragma once

#ifndef _WIN32

#include <unistd.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/run_command.h"

namespace varnett {

struct UnzipResult : CommandResult {
  // It read the member to its end without finding the data damaged: all
  // well, or nothing to say but that the CRC-32 of the bytes differs (unzip
  // only).
  bool Decoded() const {
    if (status == 0) return true;
    return status == 2 && messages.find("bad CRC") != std::string::npos &&
           messages.find("error") == std::string::npos &&
           messages.find("warning") == std::string::npos;
  }
};

// Runs `program` with `options` and the scratch file's path.
inline UnzipResult PrintMembers(const char* program, std::initializer_list<const char*> options,
                                const std::string& zip) {
  UnzipResult result;
  const std::string path = ScratchFile(zip, "varnett-unzip");
  if (path.empty()) return result;
  std::vector<std::string> args{program};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back(path);
  static_cast<CommandResult&>(result) = RunCommand(args);
  unlink(path.c_str());
  return result;
}

inline UnzipResult UnzipPrint(const std::string& zip) { return PrintMembers("unzip", {"-p"}, zip); }

// 7-Zip exits with 0 only when every member decoded and its CRC-32 matched.
inline UnzipResult SevenZipPrint(const std::string& zip) {
  return PrintMembers("7zz", {"e", "-so", "-tzip", "-bd", "-y"}, zip);
}

}  // namespace varnett

#endif
