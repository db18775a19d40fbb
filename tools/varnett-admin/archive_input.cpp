#include "tools/varnett-admin/archive_input.h"

#include <utility>

#include "text/conversions.h"
#include "tools/varnett-admin/console.h"

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

bool ArchiveInput::Load(const std::string& utf8_path) {
  std::string error;
  auto file = std::make_shared<InputFile>(utf8_path, &error);
  if (!file->IsOpen()) {
    WriteErrorLine(error);
    return false;
  }
  file_ = std::move(file);
  name_ = Utf8ToCp949(utf8_path);
  return true;
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

void ConsoleDialogs::Information(const std::string& text) { WriteErrorLine(text); }

bool ConsoleDialogs::Confirm(const std::string& text) {
  WriteErrorLine(text);
  return false;
}

void ConsoleDialogs::SystemMessage(const std::string& text, const std::string& title) {
  WriteErrorLine(title + ": " + text);
}

}  // namespace varnett
