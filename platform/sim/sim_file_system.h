// An in-memory file system with Windows path rules (case-insensitive, "\"
// separators, a trailing "\" ignored). It records every change it is asked
// to make, so tests can assert on what was done.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace varnett {

class SimFileSystem : public FileSystem {
 public:
  // Set-up helpers: parents are created as needed.
  void AddDirectory(const std::string& path);
  void AddFile(const std::string& path, const std::string& content, int64_t age = 1);
  // Nothing can be created or written below this folder.
  void MakeReadOnly(const std::string& path);
  // Another program holds the file open without sharing writes, until Release.
  void HoldWithoutSharing(const std::string& path);
  void Release(const std::string& path);

  // Inspection.
  bool Has(const std::string& path) const;
  std::string Content(const std::string& path) const;  // empty when absent
  std::vector<std::string> ListAll() const;            // every path, sorted, as stored

  // Each change as one line: "delete PATH", "mkdir PATH", "append PATH".
  std::vector<std::string> calls;
  // Time appends spent waiting for held files: each spends all the patience
  // it is given.
  uint32_t waited_ms = 0;

  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::optional<int64_t> FileAge(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemovePlainFile(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  AppendResult AppendLine(const std::string& path, const std::string& line,
                          uint32_t& patience_ms) override;
  std::unique_ptr<ReadSource> OpenForReading(const std::string& path, std::string* error) override;

 private:
  struct File {
    std::string content;
    int64_t age = 1;
  };
  static std::string Key(const std::string& path);
  static std::string Parent(const std::string& key);
  bool Writable(const std::string& key) const;

  std::map<std::string, std::string> names_;  // key -> path as first given
  std::set<std::string> directories_;         // keys
  std::map<std::string, File> files_;         // keys
  std::set<std::string> read_only_;           // keys
  std::set<std::string> held_;                // keys
};

}  // namespace varnett
