#include "tools/varnett-admin/texts.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace varnett {

bool KoreanUser() {
#ifdef _WIN32
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_KOREAN;
#else
  // The POSIX order: LC_ALL overrides LC_MESSAGES, which overrides LANG.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::string_view(value).substr(0, 2) == "ko";
  }
  return false;
#endif
}

std::string Say(const Text& text, std::initializer_list<std::string_view> args) {
  static const bool korean = KoreanUser();
  const std::string_view pattern = korean ? text.ko : text.en;
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t n = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}'
                         ? static_cast<size_t>(pattern[i + 1] - '1')
                         : args.size();
    if (n < args.size()) {
      out += args.begin()[n];
      i += 2;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace varnett
