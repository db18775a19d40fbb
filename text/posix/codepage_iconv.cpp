// CP949 by iconv's tables, for the native build.
#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <stdexcept>

#include "text/conversions.h"

namespace varnett {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; on an input unit it cannot convert, appends `bad` to the
  // output and skips `skip(in_left_ptr, left)` bytes.
  template <typename Skip>
  std::string Run(const char* in, size_t left, const std::string& bad, Skip skip) {
    std::string out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    while (left > 0) {
      char* dst = buffer;
      size_t room = sizeof buffer;
      char* src = const_cast<char*>(in);
      size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, dst - buffer);
      in = src;
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        out += bad;
        // glibc may already have consumed the whole bad unit (it does for an
        // unassigned CP949 pair), so never skip past what is left.
        size_t n = std::min(skip(in, left), left);
        in += n;
        left -= n;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::u16string Cp949ToUtf16(std::string_view cp949) {
  thread_local Converter converter("UTF-16LE", "CP949");
  static const std::string replacement("\xFD\xFF", 2);
  std::string bytes = converter.Run(cp949.data(), cp949.size(), replacement,
                                    [](const char*, size_t) { return size_t{1}; });
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string Utf16ToCp949(std::u16string_view utf16) {
  thread_local Converter converter("CP949", "UTF-16LE");
  std::string bytes(utf16.size() * 2, '\0');
  for (size_t i = 0; i < utf16.size(); ++i) {
    bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
  }
  // One "?" per UTF-16 unit, as the system's conversion gives: a character
  // outside the BMP becomes "??".
  return converter.Run(bytes.data(), bytes.size(), "?",
                       [](const char*, size_t) { return size_t{2}; });
}

}  // namespace varnett
