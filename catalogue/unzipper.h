// The catalogue archive reader: names an archive, reads its directory (from
// the central directory, or rebuilt from the local headers when that is
// damaged) and extracts members by name into a memory stream.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/archive_file.h"
#include "catalogue/memory_stream.h"
#include "catalogue/sorted_entries.h"
#include "catalogue/zip_entry.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace varnett {

// The most a member may claim as its uncompressed size. The whole member is
// held in memory, so a claim above this fails with EFatalUnzipError
// kMemberTooLarge before anything is allocated for it.
inline constexpr uint64_t kMaxMemberSize = uint64_t(256) << 20;
// The most one extraction decodes over all the members it selects: many
// entries naming one huge member cannot keep the reader busy for hours.
inline constexpr uint64_t kMaxExtractionTotal = uint64_t(1) << 30;

// The part of the system the reader uses: the archive file, and the plain
// box for the failures it reports itself.
struct ArchiveReaderSystem {
  FileReader& files;
  Dialogs& dialogs;
};

class TUnZipper {
 public:
  explicit TUnZipper(ArchiveReaderSystem system);
  ~TUnZipper();
  TUnZipper(const TUnZipper&) = delete;
  TUnZipper& operator=(const TUnZipper&) = delete;

  const std::string& ZipName() const { return zip_name_; }
  // A name equal to the current one without regard to case changes nothing.
  void SetZipName(const std::string& name);
  void CloseArchive();

  // Opens the archive and reads its directory when needed.
  void Opening();

  // Extracts every member named `name` (whole name, ASCII case ignored) into
  // `target`; returns how many verified. The archive file is closed again on
  // every way out.
  int ExtractToStream(MemoryStream* target, const std::string& name);

  // The directory read last, or null.
  const TSortedEntries* Directory() const { return directory_.get(); }
  const TEndRecord& EndRecord() const { return end_record_; }
  bool IsOpen() const { return file_ != nullptr; }
  bool Scanned() const { return scanned_; }
  bool SinglePart() const { return !multi_part_; }
  // How many times the directory was read (tests: reuse while unchanged).
  int directory_reads() const { return directory_reads_; }

  // The ceilings above; lowered only by tests.
  uint64_t max_member_size = kMaxMemberSize;
  uint64_t max_extraction_total = kMaxExtractionTotal;

 private:
  void CloseFile() { file_.reset(); }
  void ResetState();
  void ReadDirectory();
  static bool FindEndRecord(ArchiveFile& file, TEndRecord* record);
  bool ReadCentralHeader(TZipEntry* entry);
  bool ReadLocalHeader(TZipEntry* entry);
  bool ScanLocalHeaders();
  bool ReadName(TZipEntry* entry, size_t length);
  [[noreturn]] void FailBadZip();

  bool Selected(const TZipEntry& entry) const;
  bool ExtractMember(size_t index);
  // False when the member's bytes could not be decoded at all (a method not
  // supported, no memory for the decoder's tables).
  bool DecodeMember(const TZipEntry& entry, class MemberIO& io);

  FileReader& files_;
  Dialogs& dialogs_;
  std::string zip_name_;
  std::unique_ptr<ArchiveFile> file_;
  std::unique_ptr<TSortedEntries> directory_;
  TEndRecord end_record_;
  std::optional<int64_t> recorded_age_;
  bool scanned_ = false;
  bool multi_part_ = false;
  int directory_reads_ = 0;

  // During an extraction.
  MemoryStream* target_ = nullptr;
  bool stream_mode_ = false;
  std::vector<std::string> files_list_;
  std::vector<uint8_t> in_buffer_;
  std::vector<uint8_t> out_buffer_;
  uint64_t claimed_total_ = 0;
};

// Whole-name comparison that ignores the case of the ASCII letters only.
bool MatchName(const std::string& pattern, const std::string& name);

}  // namespace varnett
