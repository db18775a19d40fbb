#include "tools/varnett-admin/archive_input.h"

#include "platform/memory_source.h"
#include "platform/text.h"
#include "tools/varnett-admin/console.h"

namespace varnett {

bool ArchiveInput::Load(const std::string& utf8_path) {
  std::string error;
  std::string bytes;
  if (!ReadWholeFile(utf8_path, &bytes, &error)) {
    WriteErrorLine(error);
    return false;
  }
  bytes_ = std::make_shared<const std::string>(std::move(bytes));
  name_ = Utf8ToCp949(utf8_path);
  return true;
}

std::optional<int64_t> ArchiveInput::FileAge(const std::string& path) {
  if (path != name_) return std::nullopt;
  return 1;  // read once: it cannot change under the reader
}

std::unique_ptr<ReadSource> ArchiveInput::OpenForReading(const std::string& path,
                                                         std::string* error) {
  if (path != name_) {
    if (error) *error = "The system cannot find the file specified";
    return nullptr;
  }
  return std::make_unique<MemorySource>(bytes_);  // read in place, not copied
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
