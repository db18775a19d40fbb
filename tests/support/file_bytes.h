// A whole file read into memory, for fixtures, shared vectors and the logs
// the programs under test write.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace varnett {

// False when the file cannot be opened; `out` then stays as it was.
inline bool ReadFileBytes(const std::filesystem::path& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  *out = bytes.str();
  return true;
}

// The bytes, or "" when the file cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
  std::string bytes;
  ReadFileBytes(path, &bytes);
  return bytes;
}

}  // namespace varnett
