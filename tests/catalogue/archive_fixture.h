// Shared set-up for the archive reader tests: a simulated platform holding
// one catalogue archive, and the reader pointed at it.
#pragma once

#include <string>
#include <vector>

#include "catalogue/unzipper.h"
#include "catalogue/zip_errors.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/error_message.h"
#include "tools/writer/archive_writer.h"

namespace varnett {

inline constexpr char kCatalogue[] = "C:\\PLX\\GameData\\GPData.nif";

struct ArchiveFixture {
  SimPlatform sim;
  TUnZipper unzipper{{sim.files, sim.dialogs}};

  void Put(const std::string& bytes, const std::string& path = kCatalogue, int64_t age = 1) {
    sim.files.AddFile(path, bytes, age);
    unzipper.SetZipName(path);
  }
  void Put(const std::vector<ArchiveMember>& members, const ArchiveOptions& options = {}) {
    Put(WriteArchive(members, options));
  }
  // Extracts "Game.dat" (or `name`) into a fresh stream.
  int Extract(MemoryStream* stream, const std::string& name = "Game.dat") {
    return unzipper.ExtractToStream(stream, name);
  }
  // The message of what extracting raises, "" when nothing is raised.
  std::string ExtractError(const std::string& name = "Game.dat") {
    MemoryStream stream;
    return ErrorMessage<CatalogueError>([&] { Extract(&stream, name); });
  }
};

inline ArchiveMember Member(const std::string& name, const std::string& data, uint16_t method = 8) {
  ArchiveMember m;
  m.name = name;
  m.data = data;
  m.method = method;
  return m;
}

// Little-endian field patches for damaging written archives.
inline void Patch16(std::string* s, size_t at, uint16_t v) {
  (*s)[at] = char(v & 0xFF);
  (*s)[at + 1] = char(v >> 8);
}
inline void Patch32(std::string* s, size_t at, uint32_t v) {
  Patch16(s, at, uint16_t(v));
  Patch16(s, at + 2, uint16_t(v >> 16));
}

}  // namespace varnett
