#include "text/cp949.h"

namespace varnett {

bool EndsInSingleByte(std::string_view text) {
  size_t last = 0;
  for (size_t i = 0; i < text.size(); i += CharacterSize(text, i)) last = i;
  return !text.empty() && last == text.size() - 1;
}

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 32) return false;
  }
  return true;
}

std::string AsciiUpperCase(std::string_view text) {
  std::string upper(text);
  for (size_t i = 0; i < upper.size(); i += CharacterSize(upper, i))
    upper[i] = AsciiUpper(upper[i]);
  return upper;
}

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i += CharacterSize(a, i)) {
    if (CharacterSize(a, i) == 2 ? a.substr(i, 2) != b.substr(i, 2)
                                 : AsciiLower(a[i]) != AsciiLower(b[i]))
      return false;
  }
  return true;
}

size_t FileNameStart(std::string_view path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += CharacterSize(path, i)) {
    if (path[i] == '\\' || path[i] == ':') start = i + 1;
  }
  return start;
}

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, FileNameStart(path)));
}

std::string ExtractFileExt(std::string_view path) {
  size_t dot = std::string_view::npos;
  for (size_t i = FileNameStart(path); i < path.size(); i += CharacterSize(path, i)) {
    if (path[i] == '.') dot = i;
  }
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

bool IsRelativeToCurrentFolder(std::string_view path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return !drive;
}

}  // namespace varnett
