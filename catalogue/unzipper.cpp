#include "catalogue/unzipper.h"

#include <algorithm>
#include <vector>

#include "catalogue/zip_errors.h"
#include "catalogue/zip_format.h"
#include "text/cp949.h"

namespace varnett {
namespace {

// The extension of a path's file name, from its last "." on. Member names
// are split byte by byte too (ReadName): they may be OEM or UTF-8 bytes, not
// CP949 characters.
std::string Extension(const std::string& path) {
  size_t dot = path.find_last_of(".\\:");
  if (dot == std::string::npos || path[dot] != '.') return "";
  return path.substr(dot);
}

// Reads the zip64 values of a central extra field: each 8- or 4-byte value
// only where the classic field holds all ones, in the fixed order.
void WalkCentralExtra(const uint8_t* extra, size_t size, TZipEntry* entry) {
  size_t at = 0;
  while (at + 4 <= size) {
    uint16_t tag = zip::Le16(extra + at);
    uint16_t length = zip::Le16(extra + at + 2);
    at += 4;
    if (length > size - at) return;
    if (tag != zip::kZip64ExtraTag) {
      at += length;
      continue;
    }
    const size_t end = at + length;
    TZip64Values values = entry->zip64.value_or(TZip64Values{});
    auto take64 = [&](uint64_t* out) {
      if (end - at < 8) return false;
      *out = zip::Le64(extra + at);
      at += 8;
      return true;
    };
    bool fits = true;
    if (fits && entry->uncompressed_size == 0xFFFFFFFFu) fits = take64(&values.uncompressed_size);
    if (fits && entry->compressed_size == 0xFFFFFFFFu) fits = take64(&values.compressed_size);
    if (fits && entry->local_header_offset == 0xFFFFFFFFu)
      fits = take64(&values.local_header_offset);
    if (fits && entry->disk_number_start == 0xFFFF) {
      if (end - at >= 4) {
        values.disk_number_start = zip::Le32(extra + at);
        at += 4;
      } else {
        fits = false;
      }
    }
    entry->zip64 = values;
    if (!fits) return;
  }
}

}  // namespace

bool MatchName(const std::string& pattern, const std::string& name) {
  return SameTextIgnoringAsciiCase(pattern, name);
}

TUnZipper::TUnZipper(ArchiveReaderSystem system) : files_(system.files), dialogs_(system.dialogs) {}

TUnZipper::~TUnZipper() { CloseArchive(); }

void TUnZipper::ResetState() {
  CloseFile();
  directory_.reset();
  end_record_ = TEndRecord{};
  recorded_age_.reset();
  scanned_ = false;
}

void TUnZipper::SetZipName(const std::string& name) {
  if (SameTextIgnoringAsciiCase(name, zip_name_)) return;
  ResetState();
  zip_name_ = name;
}

void TUnZipper::CloseArchive() {
  ResetState();
  multi_part_ = false;
  zip_name_.clear();
}

void TUnZipper::FailBadZip() {
  CloseArchive();
  throw EBadZipFile();
}

void TUnZipper::Opening() {
  if (!file_) {
    std::string error;
    std::unique_ptr<ReadSource> source = files_.OpenForReading(zip_name_, &error);
    if (!source) throw EFOpenError("Cannot open file \"" + zip_name_ + "\". " + error);
    file_ = std::make_unique<ArchiveFile>(std::move(source));
  }
  if (directory_ && files_.FileAge(zip_name_) == recorded_age_) return;
  ReadDirectory();
}

bool TUnZipper::FindEndRecord(ArchiveFile& file, TEndRecord* record) {
  const uint64_t n = file.Size();
  if (n < zip::kEndSize) {
    if (n != 0) return false;
    *record = TEndRecord{};  // an empty file is an archive without entries
    return true;
  }
  const size_t span = size_t(std::min<uint64_t>(zip::kEndSearchSpan, n));
  std::vector<uint8_t> block(span);
  file.Seek(n - span);
  if (file.Read(block.data(), span) != span) return false;

  size_t hit = span - zip::kEndSize + 1;
  for (size_t p = span - zip::kEndSize + 1; p-- > 0;) {
    if (block[p] == 0x42 && zip::Le32(&block[p]) == zip::kEndSignature) {
      hit = p;
      break;
    }
  }
  if (hit > span - zip::kEndSize) return false;

  const uint8_t* r = &block[hit];
  TEndRecord e;
  e.this_disk = zip::Le16(r + zip::kEndThisDisk);
  e.directory_disk = zip::Le16(r + zip::kEndDirectoryDisk);
  e.entries_here = zip::Le16(r + zip::kEndEntriesHere);
  e.total_entries = zip::Le16(r + zip::kEndTotalEntries);
  e.directory_size = zip::Le32(r + zip::kEndDirectorySize);
  e.directory_offset = zip::Le32(r + zip::kEndDirectoryOffset);
  e.comment_length = zip::Le16(r + zip::kEndCommentLength);
  e.comment_position = (n - span) + hit + zip::kEndSize;

  if (hit >= zip::kLocatorSize &&
      zip::Le32(&block[hit - zip::kLocatorSize]) == zip::kZip64LocatorSignature) {
    const uint8_t* l = &block[hit - zip::kLocatorSize];
    TZip64Locator locator;
    locator.record_disk = zip::Le32(l + zip::kLocatorRecordDisk);
    locator.record_offset = zip::Le64(l + zip::kLocatorRecordOffset);
    locator.total_disks = zip::Le32(l + zip::kLocatorTotalDisks);
    e.locator = locator;
    uint8_t z[zip::kZip64EndSize];
    file.Seek(locator.record_offset);
    if (file.Read(z, sizeof z) == sizeof z) {
      TZip64EndRecord r64;
      r64.record_size = zip::Le64(z + zip::kZip64EndRecordSize);
      r64.version_made_by = zip::Le16(z + zip::kZip64EndMadeBy);
      r64.version_needed = zip::Le16(z + zip::kZip64EndNeeded);
      r64.this_disk = zip::Le32(z + zip::kZip64EndThisDisk);
      r64.directory_disk = zip::Le32(z + zip::kZip64EndDirectoryDisk);
      r64.entries_here = zip::Le64(z + zip::kZip64EndEntriesHere);
      r64.total_entries = zip::Le64(z + zip::kZip64EndTotalEntries);
      r64.directory_size = zip::Le64(z + zip::kZip64EndDirectorySize);
      r64.directory_offset = zip::Le64(z + zip::kZip64EndDirectoryOffset);
      e.zip64 = r64;
    }
  }
  *record = e;
  return true;
}

bool TUnZipper::ReadName(TZipEntry* entry, size_t length) {
  std::string name(length, '\0');
  if (length != 0 && file_->Read(&name[0], length) != length) return false;
  std::replace(name.begin(), name.end(), '/', '\\');
  // Names recorded as made on MS-DOS are in the OEM code page; the catalogue's
  // names are ASCII and on a Korean system both code pages are 949, so they
  // are taken as they are.
  size_t split = name.find_last_of("\\:");
  if (split == std::string::npos) {
    entry->directory.clear();
    entry->file_name = name;
  } else {
    entry->directory = name.substr(0, split + 1);
    entry->file_name = name.substr(split + 1);
    if (entry->directory.back() != '\\') entry->directory += '\\';
  }
  return true;
}

bool TUnZipper::ReadCentralHeader(TZipEntry* entry) {
  const uint64_t start = file_->Position();
  uint8_t h[zip::kCentralSize];
  if (file_->Read(h, sizeof h) != sizeof h || zip::Le32(h) != zip::kCentralSignature) {
    file_->Seek(start);
    return false;
  }
  TZipEntry e;
  e.version_made_by = zip::Le16(h + zip::kCentralMadeBy);
  e.version_needed = zip::Le16(h + zip::kCentralNeeded);
  e.flags = zip::Le16(h + zip::kCentralFlags);
  e.method = zip::Le16(h + zip::kCentralMethod);
  e.dos_date_time = zip::Le32(h + zip::kCentralDosTime);
  e.crc32 = zip::Le32(h + zip::kCentralCrc);
  e.compressed_size = zip::Le32(h + zip::kCentralCompressed);
  e.uncompressed_size = zip::Le32(h + zip::kCentralUncompressed);
  e.name_length = zip::Le16(h + zip::kCentralNameLength);
  e.central_extra_length = zip::Le16(h + zip::kCentralExtraLength);
  e.comment_length = zip::Le16(h + zip::kCentralCommentLength);
  e.disk_number_start = zip::Le16(h + zip::kCentralDiskStart);
  e.internal_attributes = zip::Le16(h + zip::kCentralInternalAttributes);
  e.external_attributes = zip::Le32(h + zip::kCentralExternalAttributes);
  e.local_header_offset = zip::Le32(h + zip::kCentralLocalOffset);
  if (!ReadName(&e, e.name_length)) {
    file_->Seek(start);
    return false;
  }
  e.central_header_position = start;
  if (e.central_extra_length != 0) {
    const uint64_t after_name = file_->Position();
    std::vector<uint8_t> extra(e.central_extra_length);
    size_t got = file_->Read(extra.data(), extra.size());
    WalkCentralExtra(extra.data(), got, &e);
    file_->Seek(after_name);
  }
  *entry = std::move(e);
  return true;
}

bool TUnZipper::ReadLocalHeader(TZipEntry* entry) {
  const uint64_t start = file_->Position();
  uint8_t h[zip::kLocalSize];
  if (file_->Read(h, sizeof h) != sizeof h || zip::Le32(h) != zip::kLocalSignature) {
    file_->Seek(start);
    return false;
  }
  TZipEntry e;
  e.version_needed = zip::Le16(h + zip::kLocalNeeded);
  e.flags = zip::Le16(h + zip::kLocalFlags);
  e.method = zip::Le16(h + zip::kLocalMethod);
  e.dos_date_time = zip::Le32(h + zip::kLocalDosTime);
  e.crc32 = zip::Le32(h + zip::kLocalCrc);
  e.compressed_size = zip::Le32(h + zip::kLocalCompressed);
  e.uncompressed_size = zip::Le32(h + zip::kLocalUncompressed);
  e.name_length = zip::Le16(h + zip::kLocalNameLength);
  e.local_extra_length = zip::Le16(h + zip::kLocalExtraLength);
  if (start >= 0xFFFFFFFFu) {
    e.local_header_offset = 0xFFFFFFFFu;
    e.zip64 = TZip64Values{};
    e.zip64->local_header_offset = start;
  } else {
    e.local_header_offset = uint32_t(start);
  }
  if (!ReadName(&e, e.name_length)) {
    file_->Seek(start);
    return false;
  }
  if (e.local_extra_length != 0) {
    const uint64_t after_name = file_->Position();
    uint8_t x[zip::kLocalZip64Size];
    if (file_->Read(x, sizeof x) == sizeof x && zip::Le16(x) == zip::kZip64ExtraTag) {
      TZip64Values values = e.zip64.value_or(TZip64Values{});
      values.uncompressed_size = zip::Le64(x + 4);
      values.compressed_size = zip::Le64(x + 12);
      if (e.local_header_offset != 0xFFFFFFFFu) values.local_header_offset = zip::Le64(x + 20);
      values.disk_number_start = zip::Le32(x + 28);
      e.zip64 = values;
    }
    file_->Seek(after_name);
  }
  *entry = std::move(e);
  return true;
}

bool TUnZipper::ScanLocalHeaders() {
  if (scanned_) return false;
  scanned_ = true;
  directory_.reset();

  // Self-extracting archives keep their stub in the first 14000 bytes.
  file_->Seek(SameTextIgnoringAsciiCase(Extension(zip_name_), ".exe") ? 14000 : 0);
  static const uint8_t kSignature[4] = {0x10, 0x10, 0x42, 0x02};
  size_t matched = 0;
  for (;;) {
    uint8_t b;
    if (!file_->ReadByte(&b)) return false;
    if (matched != 0 && b != kSignature[matched]) matched = 0;
    if (matched == 0) {
      if (b == kSignature[0]) matched = 1;
      continue;
    }
    if (++matched < 4) continue;
    uint8_t version[2];
    if (file_->Read(version, 2) != 2) return false;
    if (version[1] < 10) break;
    matched = 0;
  }
  file_->Skip(-6);

  directory_ = std::make_unique<TSortedEntries>();
  for (;;) {
    auto entry = std::make_unique<TZipEntry>();
    if (!ReadLocalHeader(entry.get())) break;
    uint64_t skip = entry->local_extra_length;
    skip += std::min<uint64_t>(entry->CompressedSize(), file_->Size());
    if (entry->flags & zip::kFlagDataDescriptor) skip += 16;
    try {
      directory_->Insert(std::move(entry));
    } catch (const EListError&) {
      break;
    }
    file_->Skip(int64_t(skip));
  }

  // The directory now ends where the members end.
  end_record_ = TEndRecord{};
  const uint64_t count = directory_->Count();
  const uint64_t here = file_->Position();
  TZip64EndRecord z;
  z.total_entries = count;
  z.entries_here = count;
  z.directory_offset = here;
  end_record_.total_entries = count < 0xFFFF ? uint16_t(count) : 0xFFFF;
  end_record_.entries_here = end_record_.total_entries;
  end_record_.directory_offset = here < 0xFFFFFFFFu ? uint32_t(here) : 0xFFFFFFFFu;
  end_record_.zip64 = z;
  multi_part_ = false;
  return true;
}

void TUnZipper::ReadDirectory() {
  recorded_age_ = files_.FileAge(zip_name_);
  directory_.reset();
  ++directory_reads_;

  TEndRecord record;
  bool found = FindEndRecord(*file_, &record) && record.DirectoryDisk() <= record.ThisDisk();
  // Multi-part sets, and the ".zfc" file that may stand in for their end
  // record, are not read: the catalogue is always one file.
  if (!found) throw EIncompleteZip();

  end_record_ = record;
  multi_part_ = record.ThisDisk() != 0;
  if (record.TotalEntries() > 0) file_->Seek(record.DirectoryOffset());

  directory_ = std::make_unique<TSortedEntries>();
  uint64_t total = end_record_.TotalEntries();
  uint64_t i = 0;
  TZipEntry* previous = nullptr;
  uint16_t previous_extra = 0;
  auto restart_from_scan = [&] {
    if (!ScanLocalHeaders()) FailBadZip();
    total = end_record_.TotalEntries();
    i = 0;
    previous = nullptr;
    previous_extra = 0;
  };

  while (i < total) {
    auto entry = std::make_unique<TZipEntry>();
    bool read = ReadCentralHeader(entry.get());
    if (!read && previous_extra != 0) {
      // The previous header may declare an extra field that is not there.
      if (previous) previous->central_extra_length = 0;
      file_->Skip(-int64_t(previous_extra));
      previous_extra = 0;
      read = ReadCentralHeader(entry.get());
    }
    if (!read) {
      if (scanned_) break;
      if (multi_part_) FailBadZip();
      restart_from_scan();
      continue;
    }

    const uint16_t extra = entry->central_extra_length;
    const uint16_t comment = entry->comment_length;
    TZipEntry* placed = nullptr;
    if (!scanned_) {
      placed = entry.get();
      try {
        directory_->Insert(std::move(entry));
      } catch (const EListError&) {
        restart_from_scan();
        continue;
      }
    } else if (TZipEntry* found_entry = directory_->Find(TSortedEntries::KeyOf(*entry))) {
      // The key already matches, so the scan's local header offset stands.
      *found_entry = std::move(*entry);
      placed = found_entry;
    }
    file_->Skip(int64_t(extra) + comment);
    previous = placed;
    previous_extra = extra;
    ++i;
  }
}

}  // namespace varnett
