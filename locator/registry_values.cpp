#include "locator/registry_values.h"

#include "locator/locator_trace.h"
#include "text/cp949.h"

namespace varnett {

namespace {

RegistryValue ReadText(Registry& registry, RegistryRoot root, const std::string& key,
                       const std::string& value_name) {
  RegistryValue value = registry.Read(root, key, value_name);
  if (value.kind == RegistryValue::Kind::kOtherType) throw RegistryTypeError(value_name);
  return value;
}

// Tries one root; returns the folder when the value names an existing one.
std::string TryRoot(Registry& registry, FileSystem& files, RegistryRoot root,
                    const std::string& key, const std::string& value_name, std::string* report) {
  RegistryValue value = ReadText(registry, root, key, value_name);
  std::string folder;
  std::string outcome;
  if (value.kind == RegistryValue::Kind::kMissing) {
    outcome = "missing";
  } else if (IsBlank(value.text)) {
    outcome = "blank " + Quoted(value.text);
  } else if (IsRelativeToCurrentFolder(value.text)) {
    // What it would name depends on the folder the program was started in.
    outcome = Quoted(value.text) + ": relative, not looked for";
  } else {
    std::string normalised = NormaliseFolderValue(value.text);
    // A folder whose own name has a dot ("SuddenAttack.KR") names no file:
    // cutting it to its parent would give the wrong folder.
    std::string whole = value.text;
    if (!whole.empty() && whole.back() == '\\') whole.pop_back();
    if (whole != normalised && !whole.empty() && files.DirectoryExists(whole)) normalised = whole;
    bool exists = !normalised.empty() && files.DirectoryExists(normalised);
    if (exists) folder = normalised;
    outcome = Quoted(value.text);
    if (normalised != value.text) outcome += " -> " + Quoted(normalised);
    outcome += exists ? ": found" : ": not a folder";
  }
  if (report) {
    if (!report->empty()) *report += "; ";
    *report += (root == RegistryRoot::kCurrentUser ? "HKCU " : "HKLM ") + outcome;
  }
  return folder;
}

}  // namespace

std::string ReadUserValue(Registry& registry, const std::string& key,
                          const std::string& value_name) {
  return ReadText(registry, RegistryRoot::kCurrentUser, key, value_name).text;
}

std::string ReadMachineValue(Registry& registry, const std::string& key,
                             const std::string& value_name) {
  return ReadText(registry, RegistryRoot::kLocalMachine, key, value_name).text;
}

std::string NormaliseFolderValue(const std::string& value) {
  std::string result = value;
  if (!IsBlank(ExtractFileExt(result))) result = ExtractFilePath(result);
  // A plain byte test: the one trailing "\" goes even when it ends a
  // double-byte character.
  if (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

std::string ReadFolderValue(Registry& registry, FileSystem& files, const std::string& key,
                            const std::string& value_name, std::string* report) {
  std::string folder =
      TryRoot(registry, files, RegistryRoot::kCurrentUser, key, value_name, report);
  if (!folder.empty()) return folder;
  return TryRoot(registry, files, RegistryRoot::kLocalMachine, key, value_name, report);
}

}  // namespace varnett
