#include "locator/registry_values.h"

#include <utility>

#include "text/cp949.h"

namespace varnett {

namespace {

RegistryValue ReadText(Registry& registry, RegistryRoot root, const std::string& key,
                       const std::string& value_name) {
  RegistryValue value = registry.Read(root, key, value_name);
  if (value.kind == RegistryValue::Kind::kOtherType) throw RegistryTypeError(value_name);
  return value;
}

// One root's answer; `folder` is set when the value names an existing one.
RootAnswer TryRoot(Registry& registry, FileSystem& files, RegistryRoot root, const std::string& key,
                   const std::string& value_name) {
  RegistryValue value = registry.Read(root, key, value_name);
  RootAnswer answer;
  if (value.kind == RegistryValue::Kind::kOtherType) {
    answer.kind = RootAnswer::Kind::kOtherType;
    return answer;
  }
  answer.text = std::move(value.text);
  if (value.kind == RegistryValue::Kind::kMissing) {
    answer.kind = RootAnswer::Kind::kMissing;
  } else if (IsBlank(answer.text)) {
    answer.kind = RootAnswer::Kind::kBlank;
  } else if (IsRelativeToCurrentFolder(answer.text)) {
    // What it would name depends on the folder the program was started in.
    answer.kind = RootAnswer::Kind::kRelative;
  } else {
    std::string normalised = NormaliseFolderValue(answer.text);
    // A folder whose own name has a dot ("SuddenAttack.KR") names no file:
    // cutting it to its parent would give the wrong folder.
    std::string whole = answer.text;
    if (!whole.empty() && whole.back() == '\\') whole.pop_back();
    if (whole != normalised && !whole.empty() && files.DirectoryExists(whole))
      normalised = std::move(whole);
    bool exists = !normalised.empty() && files.DirectoryExists(normalised);
    answer.kind = exists ? RootAnswer::Kind::kFound : RootAnswer::Kind::kNotAFolder;
    answer.folder = std::move(normalised);
  }
  return answer;
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

const std::string& FolderValueAnswers::Folder() const {
  static const std::string kNone;
  if (user.kind == RootAnswer::Kind::kFound) return user.folder;
  if (machine.kind == RootAnswer::Kind::kFound) return machine.folder;
  return kNone;
}

bool FolderValueAnswers::OtherType() const {
  return user.kind == RootAnswer::Kind::kOtherType || machine.kind == RootAnswer::Kind::kOtherType;
}

FolderValueAnswers ReadFolderValue(Registry& registry, FileSystem& files, const std::string& key,
                                   const std::string& value_name) {
  FolderValueAnswers answers;
  answers.user = TryRoot(registry, files, RegistryRoot::kCurrentUser, key, value_name);
  if (answers.user.kind != RootAnswer::Kind::kFound &&
      answers.user.kind != RootAnswer::Kind::kOtherType)
    answers.machine = TryRoot(registry, files, RegistryRoot::kLocalMachine, key, value_name);
  return answers;
}

}  // namespace varnett
