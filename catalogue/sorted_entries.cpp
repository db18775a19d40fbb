#include "catalogue/sorted_entries.h"

#include "catalogue/zip_errors.h"

namespace varnett {

size_t TSortedEntries::LowerBound(const Key& key) const {
  size_t lo = 0, hi = entries_.size();
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (KeyOf(*entries_[mid]) < key) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

void TSortedEntries::Insert(std::unique_ptr<TZipEntry> entry) {
  Key key = KeyOf(*entry);
  size_t at = LowerBound(key);
  if (at < entries_.size() && KeyOf(*entries_[at]) == key) throw EListError();
  if (entry->zip64) has_zip64_ = true;
  entries_.insert(entries_.begin() + at, std::move(entry));
}

TZipEntry* TSortedEntries::Find(const Key& key) {
  size_t at = LowerBound(key);
  if (at < entries_.size() && KeyOf(*entries_[at]) == key) return entries_[at].get();
  return nullptr;
}

}  // namespace varnett
