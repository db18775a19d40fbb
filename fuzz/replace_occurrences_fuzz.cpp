// The Boyer-Moore-Horspool replace against a plain left-to-right replace:
// input = flags byte, find length byte, find, replacement length byte,
// replacement, source.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "actions/replace_occurrences.h"
#include "platform/sim/sim_text_case.h"

namespace {

std::string Plain(const std::string& source, const std::string& find,
                  const std::string& replacement, bool case_sensitive,
                  const varnett::UpperCaseMap& upper) {
  auto key = [&](char c) {
    unsigned char b = static_cast<unsigned char>(c);
    return case_sensitive ? b : upper[b];
  };
  std::string out;
  size_t i = 0;
  while (i < source.size()) {
    bool match = i + find.size() <= source.size();
    for (size_t k = 0; match && k < find.size(); ++k) match = key(source[i + k]) == key(find[k]);
    if (match) {
      out += replacement;
      i += find.size();
    } else {
      out += source[i++];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const varnett::UpperCaseMap upper = [] {
    varnett::SimTextCase text_case;
    return varnett::BuildUpperCaseMap(text_case);
  }();
  std::string in(reinterpret_cast<const char*>(data), size);
  if (in.size() < 3) return 0;
  bool case_sensitive = in[0] & 1;
  size_t find_size = 1 + static_cast<unsigned char>(in[1]) % 8;
  if (in.size() < 2 + find_size + 1) return 0;
  std::string find = in.substr(2, find_size);
  size_t replacement_size = static_cast<unsigned char>(in[2 + find_size]) % 16;
  size_t at = 3 + find_size;
  std::string replacement = in.substr(at, replacement_size);
  std::string source = at + replacement_size < in.size() ? in.substr(at + replacement_size) : "";
  if (varnett::ReplaceOccurrences(source, find, replacement, case_sensitive, upper) !=
      Plain(source, find, replacement, case_sensitive, upper))
    std::abort();
  return 0;
}
