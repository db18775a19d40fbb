#include "platform/sim/sim_file_system.h"

#include "platform/memory_source.h"
#include "text/cp949.h"

namespace varnett {

std::string SimFileSystem::Key(const std::string& path) {
  std::string key = AsciiUpperCase(path);
  for (char& c : key) {
    if (c == '/') c = '\\';
  }
  while (key.size() > 1 && key.back() == '\\') key.pop_back();
  return key;
}

std::string SimFileSystem::Parent(const std::string& key) {
  size_t slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool SimFileSystem::Writable(const std::string& key) const {
  for (const std::string& ro : read_only_) {
    if (key == ro ||
        (key.size() > ro.size() && key.compare(0, ro.size(), ro) == 0 && key[ro.size()] == '\\'))
      return false;
  }
  return true;
}

void SimFileSystem::AddDirectory(const std::string& path) {
  std::string key = Key(path);
  for (std::string k = key; !k.empty() && !directories_.count(k); k = Parent(k)) {
    directories_.insert(k);
    names_.emplace(k, path.substr(0, k.size()));
  }
}

void SimFileSystem::AddFile(const std::string& path, const std::string& content, int64_t age) {
  std::string key = Key(path);
  std::string parent = Parent(key);
  if (!parent.empty()) AddDirectory(path.substr(0, parent.size()));
  files_[key] = File{content, age};
  names_[key] = path;
}

void SimFileSystem::MakeReadOnly(const std::string& path) { read_only_.insert(Key(path)); }

void SimFileSystem::HoldWithoutSharing(const std::string& path) { held_.insert(Key(path)); }

void SimFileSystem::Release(const std::string& path) { held_.erase(Key(path)); }

bool SimFileSystem::Has(const std::string& path) const {
  std::string key = Key(path);
  return files_.count(key) || directories_.count(key);
}

std::string SimFileSystem::Content(const std::string& path) const {
  auto it = files_.find(Key(path));
  return it == files_.end() ? std::string() : it->second.content;
}

std::vector<std::string> SimFileSystem::ListAll() const {
  std::vector<std::string> all;
  for (const auto& [key, name] : names_) {
    if (files_.count(key) || directories_.count(key)) all.push_back(name);
  }
  return all;
}

bool SimFileSystem::DirectoryExists(const std::string& path) {
  return !path.empty() && directories_.count(Key(path)) != 0;
}

bool SimFileSystem::FileExists(const std::string& path) {
  return !path.empty() && files_.count(Key(path)) != 0;
}

std::optional<int64_t> SimFileSystem::FileAge(const std::string& path) {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.age;
}

bool SimFileSystem::RemoveFile(const std::string& path) {
  calls.push_back("delete " + path);
  std::string key = Key(path);
  if (!Writable(key)) return false;
  return files_.erase(key) != 0;
}

bool SimFileSystem::RemovePlainFile(const std::string& path) {
  // Holds no links: a plain file is any file.
  return files_.count(Key(path)) && RemoveFile(path);
}

bool SimFileSystem::CreateFolders(const std::string& path) {
  calls.push_back("mkdir " + path);
  std::string key = Key(path);
  if (key.empty() || files_.count(key)) return false;
  for (std::string k = key; !k.empty() && !directories_.count(k); k = Parent(k)) {
    if (!Writable(k) || files_.count(k)) return false;
  }
  AddDirectory(path);
  return true;
}

AppendResult SimFileSystem::AppendLine(const std::string& path, const std::string& line,
                                       uint32_t& patience_ms) {
  calls.push_back("append " + path);
  std::string key = Key(path);
  if (held_.count(key)) {
    waited_ms += patience_ms;
    patience_ms = 0;
    return AppendResult::kBusy;
  }
  if (!Writable(key) || directories_.count(key) || !directories_.count(Parent(key)))
    return AppendResult::kFailed;
  auto it = files_.find(key);
  if (it == files_.end()) {
    files_[key] = File{line + "\r\n", 1};
    names_[key] = path;
  } else {
    it->second.content += line + "\r\n";
  }
  return AppendResult::kWritten;
}

std::unique_ptr<ReadSource> SimFileSystem::OpenForReading(const std::string& path,
                                                          std::string* error) {
  auto it = files_.find(Key(path));
  if (it == files_.end()) {
    if (error) *error = "The system cannot find the file specified";
    return nullptr;
  }
  return std::make_unique<MemorySource>(it->second.content);
}

}  // namespace varnett
