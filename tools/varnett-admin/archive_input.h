// The catalogue archive a command names, opened once and served to the
// archive reader as its only file, read where it lies rather than copied into
// memory first; the reader's message boxes go to standard error.
#pragma once

#include <memory>
#include <string>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

class ArchiveInput : public FileReader {
 public:
  // False, with the open error printed on standard error, when the file
  // cannot be opened.
  bool Load(const std::string& utf8_path);
  // The archive's name as the reader takes it (CP949).
  const std::string& Name() const { return name_; }

  std::optional<int64_t> FileAge(const std::string& path) override;
  std::unique_ptr<ReadSource> OpenForReading(const std::string& path, std::string* error) override;

 private:
  std::string name_;
  std::shared_ptr<InputFile> file_;
};

// "TITLE: TEXT" on standard error for each box; nothing waits for an answer.
class ConsoleDialogs : public Dialogs {
 public:
  void Information(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SystemMessage(const std::string& text, const std::string& title) override;
};

}  // namespace varnett
