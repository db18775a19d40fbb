// The archive's directory: entries in ascending order of (disk number start,
// local header offset), each key at most once.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "catalogue/zip_entry.h"

namespace varnett {

class TSortedEntries {
 public:
  using Key = std::pair<uint64_t, uint64_t>;
  static Key KeyOf(const TZipEntry& e) { return {e.DiskNumberStart(), e.LocalHeaderOffset()}; }

  // Raises EListError "Duplicate Object index" when the key is taken.
  void Insert(std::unique_ptr<TZipEntry> entry);
  // The entry with this key, or null.
  TZipEntry* Find(const Key& key);

  size_t Count() const { return entries_.size(); }
  TZipEntry& operator[](size_t i) { return *entries_[i]; }
  const TZipEntry& operator[](size_t i) const { return *entries_[i]; }
  bool HasZip64() const { return has_zip64_; }

 private:
  size_t LowerBound(const Key& key) const;

  std::vector<std::unique_ptr<TZipEntry>> entries_;
  bool has_zip64_ = false;
};

}  // namespace varnett
