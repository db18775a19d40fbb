// Info-ZIP's unzip as an independent decoder: an archive with the standard
// signatures goes to a scratch file, `unzip -p` prints its members, and the
// printed bytes and exit status come back. POSIX only (the native build's
// tests and fuzz targets); unzip must be on the PATH.
#pragma once

#ifndef _WIN32

#include <unistd.h>

#include <string>

#include "tests/support/run_command.h"

namespace varnett {

struct UnzipResult : CommandResult {
  // It read the member to its end without finding the data damaged: all
  // well, or nothing to say but that the CRC-32 of the bytes differs.
  bool Decoded() const {
    if (status == 0) return true;
    return status == 2 && messages.find("bad CRC") != std::string::npos &&
           messages.find("error") == std::string::npos &&
           messages.find("warning") == std::string::npos;
  }
};

inline UnzipResult UnzipPrint(const std::string& zip) {
  UnzipResult result;
  const std::string path = ScratchFile(zip, "varnett-unzip");
  if (path.empty()) return result;
  static_cast<CommandResult&>(result) = RunCommand({"unzip", "-p", path});
  unlink(path.c_str());
  return result;
}

}  // namespace varnett

#endif
