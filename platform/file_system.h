// Files and folders as the program sees them. Paths are CP949 Windows paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace varnett {

// Random-access reading of one opened file (or a memory buffer in tests).
struct ReadSource {
  virtual ~ReadSource() = default;
  virtual uint64_t Size() const = 0;
  // Reads exactly `count` bytes at `offset`; false when they are not all there.
  virtual bool ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
};

// All a reader of whole files needs: a file opened for reading at offsets,
// and its age, to tell whether what it read before is still current.
struct FileReader {
  virtual ~FileReader() = default;

  // Modification stamp of a file; nullopt when it does not exist.
  virtual std::optional<int64_t> FileAge(const std::string& path) = 0;
  // Opens a file for reading while denying writes to others. On failure
  // returns null and sets `error` to the system's text for the reason.
  virtual std::unique_ptr<ReadSource> OpenForReading(const std::string& path,
                                                     std::string* error) = 0;
};

// How an append ended: the line is in the file; the file stayed held by
// another past the caller's patience; or it cannot be written at all (no
// folder, no right to write).
enum class AppendResult { kWritten, kBusy, kFailed };

struct FileSystem : FileReader {
  virtual bool DirectoryExists(const std::string& path) = 0;
  // True for a file only; a directory of that name does not count.
  virtual bool FileExists(const std::string& path) = 0;
  // Direct, permanent delete of one file.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Deletes the path only when it is a plain file: never a folder, and never
  // a link or other reparse point, whose target another may have chosen.
  // What is looked at is what is deleted. False when nothing was deleted.
  virtual bool RemovePlainFile(const std::string& path) = 0;
  // Creates the folder and every missing parent; true when it exists afterwards.
  virtual bool CreateFolders(const std::string& path) = 0;
  // Appends `line` and CR LF to the end of the file in one write, creating the
  // file when it is missing and never emptying one. Readers that share
  // writing never hold it up, and the program's copies on this machine take
  // turns, so no line of one is lost to another. `patience_ms` is a budget
  // shared by several appends: each spends from it what it waited. A turn
  // not had within it is not waited for further: the line is appended
  // without it (Windows appends each write whole anyway). A file that
  // something else holds without sharing writes is waited for within it,
  // then given up with kBusy.
  virtual AppendResult AppendLine(const std::string& path, const std::string& line,
                                  uint32_t& patience_ms) = 0;
};

}  // namespace varnett
