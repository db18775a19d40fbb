#include "catalogue/sorted_entries.h"

#include <algorithm>

#include "catalogue/zip_errors.h"

namespace varnett {

const std::vector<std::unique_ptr<TZipEntry>>& TSortedEntries::Sorted() const {
  if (!sorted_) {
    std::sort(entries_.begin(), entries_.end(),
              [](const auto& a, const auto& b) { return KeyOf(*a) < KeyOf(*b); });
    sorted_ = true;
  }
  return entries_;
}

void TSortedEntries::Insert(std::unique_ptr<TZipEntry> entry) {
  Key key = KeyOf(*entry);
  // Refused the moment it arrives, as the directory reader expects.
  if (!keys_.insert(key).second) throw EListError();
  if (entry->zip64) has_zip64_ = true;
  if (!entries_.empty() && key < KeyOf(*entries_.back())) sorted_ = false;
  entries_.push_back(std::move(entry));
}

TZipEntry* TSortedEntries::Find(const Key& key) {
  if (keys_.count(key) == 0) return nullptr;
  const auto& entries = Sorted();
  auto at = std::lower_bound(entries.begin(), entries.end(), key,
                             [](const auto& e, const Key& k) { return KeyOf(*e) < k; });
  return at->get();
}

}  // namespace varnett
