// The archive's directory: entries in ascending order of (disk number start,
// local header offset), each key at most once.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
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
  TZipEntry& operator[](size_t i) { return *Sorted()[i]; }
  const TZipEntry& operator[](size_t i) const { return *Sorted()[i]; }
  bool HasZip64() const { return has_zip64_; }

 private:
  // Entries arrive in whatever order the archive lists them; a directory
  // listed backwards made a sorted insert shift the whole list each time, so
  // they are appended and sorted once, when the order is first needed.
  // Keys are unique, so the order is the same whichever way they arrived.
  const std::vector<std::unique_ptr<TZipEntry>>& Sorted() const;

  mutable std::vector<std::unique_ptr<TZipEntry>> entries_;
  mutable bool sorted_ = true;
  std::set<Key> keys_;
  bool has_zip64_ = false;
};

}  // namespace varnett
