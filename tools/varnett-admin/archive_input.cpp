#include "tools/varnett-admin/archive_input.h"

#include <utility>

#include "text/conversions.h"
#include "text/printable_utf8.h"
#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#include "tools/varnett-admin/texts.h"

namespace varnett {

namespace {

// The reader's view of the open file; the file stays open while any view
// of it is left.
class FileSource : public ReadSource {
 public:
  explicit FileSource(std::shared_ptr<InputFile> file) : file_(std::move(file)) {}
  uint64_t Size() const override { return file_->Size(); }
  bool ReadAt(uint64_t offset, void* buffer, size_t count) override {
    return file_->ReadAt(offset, buffer, count);
  }

 private:
  std::shared_ptr<InputFile> file_;
};

}  // namespace

int ArchiveInput::Load(const std::string& utf8_path) {
  std::string error;
  auto file = std::make_shared<InputFile>(utf8_path, &error);
  if (!file->IsOpen()) {
    ReportError(utf8_path, error);
    return kExitFailed;
  }
  if (file->Size() == 0) {
    ReportError(utf8_path, Say(kEmptyFile));
    return kExitNothingFound;
  }
  file_ = std::move(file);
  name_ = Utf8ToCp949(utf8_path);
  path_ = utf8_path;
  return kExitOk;
}

std::optional<int64_t> ArchiveInput::FileAge(const std::string& path) {
  if (path != name_) return std::nullopt;
  return 1;  // one file, opened once: the reader is told it never changes
}

std::unique_ptr<ReadSource> ArchiveInput::OpenForReading(const std::string& path,
                                                         std::string* error) {
  if (path != name_) {
    if (error) *error = "The system cannot find the file specified";
    return nullptr;
  }
  return std::make_unique<FileSource>(file_);
}

void ConsoleDialogs::Information(const std::string& text) {
  ReportError(subject_, OneLineUtf8(text));
}

bool ConsoleDialogs::Confirm(const std::string& text) {
  ReportError(subject_, OneLineUtf8(text));
  return false;
}

void ConsoleDialogs::SystemMessage(const std::string& text, const std::string& title) {
  ReportError(subject_, OneLineUtf8(title + ": " + text));
}

bool HasMember(const TUnZipper& unzipper, const std::string& cp949_name) {
  const TSortedEntries* directory = unzipper.Directory();
  for (size_t i = 0; directory && i < directory->Count(); ++i) {
    if (MatchName(cp949_name, (*directory)[i].FullName())) return true;
  }
  return false;
}

}  // namespace varnett
