#pragma once

#include "platform/file_system.h"

namespace varnett {

class Win32FileSystem : public FileSystem {
 public:
  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::optional<int64_t> FileAge(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemovePlainFile(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  AppendResult AppendLine(const std::string& path, const std::string& line,
                          uint32_t& patience_ms) override;
  std::unique_ptr<ReadSource> OpenForReading(const std::string& path, std::string* error) override;
};

}  // namespace varnett
