#include "locator/path_parts.h"

namespace varnett {

namespace {

constexpr size_t kNone = std::string_view::npos;

// Position of the last single-byte character of `path` found in `delimiters`.
size_t LastDelimiter(std::string_view path, std::string_view delimiters) {
  size_t found = kNone;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsCp949LeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;  // the trail byte, whatever its value, belongs to this character
      continue;
    }
    if (delimiters.find(path[i]) != kNone) found = i;
  }
  return found;
}

}  // namespace

std::string ExtractFileExt(std::string_view path) {
  size_t i = LastDelimiter(path, ".\\:");
  if (i == kNone || path[i] != '.') return {};
  return std::string(path.substr(i));
}

std::string ExtractFilePath(std::string_view path) {
  size_t i = LastDelimiter(path, "\\:");
  if (i == kNone) return {};
  return std::string(path.substr(0, i + 1));
}

bool IsRelativeToCurrentFolder(std::string_view path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return !drive;
}

}  // namespace varnett
