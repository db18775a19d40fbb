// The catalogue archive a command names, opened once and served to the
// archive reader as its only file, read where it lies rather than copied into
// memory first; the reader's message boxes go to standard error.
#pragma once

#include <memory>
#include <string>

#include "catalogue/unzipper.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

class ArchiveInput : public FileReader {
 public:
  // Opens the file: kExitOk, or the exit status with the reason printed on
  // standard error when the file cannot be opened (kExitFailed) or is empty
  // (kExitNothingFound; the reader would take it for an archive without
  // members).
  int Load(const std::string& utf8_path);
  // The archive's name as the reader takes it (CP949), and as the operator
  // gave it (UTF-8).
  const std::string& Name() const { return name_; }
  const std::string& Path() const { return path_; }

  std::optional<int64_t> FileAge(const std::string& path) override;
  std::unique_ptr<ReadSource> OpenForReading(const std::string& path, std::string* error) override;

 private:
  std::string name_;
  std::string path_;
  std::shared_ptr<InputFile> file_;
};

// "varnett-admin: ARCHIVE: TITLE: TEXT" on standard error for each box;
// nothing waits for an answer.
class ConsoleDialogs : public Dialogs {
 public:
  explicit ConsoleDialogs(std::string subject) : subject_(std::move(subject)) {}
  void Information(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SystemMessage(const std::string& text, const std::string& title) override;

 private:
  std::string subject_;
};

// True when the directory read last holds a member of that name, compared
// as the reader selects members.
bool HasMember(const TUnZipper& unzipper, const std::string& cp949_name);

}  // namespace varnett
