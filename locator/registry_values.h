// The registry values the locator reads: plain text values under the current
// user or the local machine, and values naming a folder.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace varnett {

// A value exists but holds something other than text. Deliberately not
// caught by the locator: a value of the wrong type is a broken set-up that
// the user should see rather than a quiet "not found".
class RegistryTypeError : public std::runtime_error {
 public:
  explicit RegistryTypeError(const std::string& value_name)
      : std::runtime_error("Invalid data type for '" + value_name + "'") {}
};

// The text of `value_name` under `key` in HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE; empty when the key or the value is missing. Throws
// RegistryTypeError for a value that is not text.
std::string ReadUserValue(Registry& registry, const std::string& key,
                          const std::string& value_name);
std::string ReadMachineValue(Registry& registry, const std::string& key,
                             const std::string& value_name);

// A value naming a file (it has an extension) becomes the folder holding it;
// then one trailing "\" byte goes.
std::string NormaliseFolderValue(const std::string& value);

// How one root answered for a value naming a folder.
struct RootAnswer {
  enum class Kind {
    kNotAsked,    // an earlier root gave the folder or held the wrong type
    kMissing,     // the key or the value does not exist
    kBlank,       // `text` is blanks only
    kRelative,    // `text` is relative to the current folder: not looked for
    kNotAFolder,  // `text` names `folder`, which is not an existing directory
    kFound,       // `text` names `folder`, an existing directory
    kOtherType,   // the value holds something other than text
  };
  Kind kind = Kind::kNotAsked;
  std::string text;    // the value as read
  std::string folder;  // its normalised form (kNotAFolder, kFound)
};

inline bool operator==(const RootAnswer& a, const RootAnswer& b) {
  return a.kind == b.kind && a.text == b.text && a.folder == b.folder;
}

// A value naming a folder as each root answered, current user first.
struct FolderValueAnswers {
  RootAnswer user;
  RootAnswer machine;

  // The folder found, or empty.
  const std::string& Folder() const;
  // A root held the value with the wrong type; the reading stopped there.
  bool OtherType() const;
};

inline bool operator==(const FolderValueAnswers& a, const FolderValueAnswers& b) {
  return a.user == b.user && a.machine == b.machine;
}

// A value naming a folder, current user first, then local machine: the first
// non-blank one whose normalised form is an existing directory gives the
// folder. A value that itself names an existing directory is taken whole,
// even when its last name has a dot. A value relative to the current folder
// is never looked for. A value that is not text stops the reading without
// raising: the caller decides, after noting how the roots answered.
FolderValueAnswers ReadFolderValue(Registry& registry, FileSystem& files, const std::string& key,
                                   const std::string& value_name);

}  // namespace varnett
