// A fresh folder under the system's temporary folder that goes away with all
// it holds when the test ends, also when an assertion ends it early.
#pragma once

#include <string>

namespace varnett::support {

class TempFolder {
 public:
  // "<temp>\<prefix><process id>_<counter>", created empty.
  explicit TempFolder(const std::wstring& prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Deletes a folder with everything in it; read-only files too.
void RemoveTree(const std::wstring& path);

}  // namespace varnett::support
