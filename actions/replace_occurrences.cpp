#include "actions/replace_occurrences.h"

#include <array>
#include <limits>
#include <new>
#include <stdexcept>

namespace varnett {

namespace {

class Searcher {
 public:
  Searcher(const std::string& find, bool case_sensitive, const UpperCaseMap& upper)
      : find_(find), case_sensitive_(case_sensitive), upper_(upper) {
    const size_t m = find.size();
    shift_.fill(m);
    for (size_t k = 0; k + 1 < m; ++k) shift_[Key(find[k])] = m - 1 - k;
  }

  // The leftmost occurrence at or after `from`, or npos.
  size_t Find(const std::string& text, size_t from) const {
    const size_t m = find_.size();
    for (size_t pos = from; pos + m <= text.size();) {
      size_t j = m - 1;
      while (Key(text[pos + j]) == Key(find_[j])) {
        if (j == 0) return pos;
        --j;
      }
      pos += shift_[Key(text[pos + m - 1])];
    }
    return std::string::npos;
  }

 private:
  unsigned char Key(char c) const {
    unsigned char byte = static_cast<unsigned char>(c);
    return case_sensitive_ ? byte : upper_[byte];
  }

  const std::string& find_;
  bool case_sensitive_;
  const UpperCaseMap& upper_;
  std::array<size_t, 256> shift_;
};

// The result is built in one pass into a buffer sized for the worst case;
// when that much cannot be had, it starts smaller and grows by half.
class ResultBuffer {
 public:
  ResultBuffer(size_t source, size_t find, size_t replacement) {
    const size_t max = text_.max_size();
    size_t worst = source;
    if (replacement > find) {
      worst = source > max / replacement ? max : source * replacement / find;
    }
    if (Reserve(worst)) return;
    growing_ = true;
    size_t start = source > max - replacement ? max : source + replacement;
    start = start > max / 3 * 2 ? max : start + start / 2;
    Reserve(start);
  }

  void Append(const char* data, size_t count) {
    if (growing_) {
      size_t capacity = text_.capacity();
      while (text_.size() + count > capacity) capacity += capacity / 2 + 1;
      text_.reserve(capacity);
    }
    text_.append(data, count);
  }

  std::string Take() {
    text_.shrink_to_fit();
    return std::move(text_);
  }

 private:
  bool Reserve(size_t capacity) {
    if (capacity >= text_.max_size()) return false;
    try {
      text_.reserve(capacity);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const std::length_error&) {
      return false;
    }
  }

  std::string text_;
  bool growing_ = false;
};

}  // namespace

std::string ReplaceOccurrences(const std::string& source, const std::string& find,
                               const std::string& replacement, bool case_sensitive,
                               const UpperCaseMap& upper) {
  if (source.empty()) return {};
  if (find.empty()) return source;
  Searcher searcher(find, case_sensitive, upper);
  ResultBuffer result(source.size(), find.size(), replacement.size());
  size_t done = 0;
  for (size_t at; (at = searcher.Find(source, done)) != std::string::npos;
       done = at + find.size()) {
    result.Append(source.data() + done, at - done);
    result.Append(replacement.data(), replacement.size());
  }
  result.Append(source.data() + done, source.size() - done);
  return result.Take();
}

}  // namespace varnett
