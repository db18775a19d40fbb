// The operator's language, and varnett-admin's own texts in Korean and
// English. The data lines that commands print are not texts of this kind:
// they stay the same in every language, so scripts can read them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace varnett {

// One text of the tool in both languages (UTF-8); {1}, {2}... stand for the
// arguments that Say fills in.
struct Text {
  const char* en;
  const char* ko;
};

// Korean when the user's interface language is Korean: on Windows the
// system's user interface language; natively the first of LC_ALL,
// LC_MESSAGES and LANG that is set.
bool KoreanUser();

// The text in the user's language with its arguments filled in.
std::string Say(const Text& text, std::initializer_list<std::string_view> args = {});

// Usage and help.
inline constexpr Text kTryHelp = {"Try 'varnett-admin --help'.",
                                  "'varnett-admin --help' 로 사용법을 보십시오."};
inline constexpr Text kMissingCommand = {"missing COMMAND", "COMMAND 가 빠졌습니다"};
inline constexpr Text kUnknownCommand = {"unknown command \"{1}\"", "알 수 없는 명령 \"{1}\""};
inline constexpr Text kMissing = {"{1}: missing {2}", "{1}: {2} 가 빠졌습니다"};
inline constexpr Text kUnexpected = {"{1}: unexpected argument \"{2}\"",
                                     "{1}: 필요 없는 인수 \"{2}\""};
inline constexpr Text kUnknownOption = {"{1}: unknown option \"{2}\"",
                                        "{1}: 알 수 없는 옵션 \"{2}\""};
inline constexpr Text kWrongEdition = {
    "{1}: edition must be netmarble or nexon, not \"{2}\"",
    "{1}: 에디션은 netmarble 또는 nexon 이어야 합니다 (\"{2}\" 는 아님)"};
inline constexpr Text kBinaryToConsole = {
    "extract: will not write a member's bytes onto the console; give -o FILE, or redirect "
    "the output to a file",
    "extract: 파일 내용을 콘솔에 쓰지 않습니다. -o FILE 을 주거나 출력을 파일로 돌리십시오"};
inline constexpr Text kOutputIsTheArchive = {
    "extract: the output file is the archive itself; give another -o FILE",
    "extract: 출력 파일이 아카이브 자신입니다. 다른 -o FILE 을 주십시오"};

// Files and catalogues.
inline constexpr Text kIsAFolder = {"is a folder, not a file", "파일이 아니라 폴더입니다"};
inline constexpr Text kEmptyFile = {"the file is empty (0 bytes)", "빈 파일입니다 (0 바이트)"};
inline constexpr Text kNoMember = {"no member named \"{1}\"", "\"{1}\" 라는 항목이 없습니다"};
inline constexpr Text kEmptyMember = {"the member \"{1}\" is empty: the catalogue has no records",
                                      "\"{1}\" 항목이 비어 있습니다: 게임 목록에 기록이 없습니다"};
inline constexpr Text kNotExtracted = {"\"{1}\" could not be extracted",
                                       "\"{1}\" 항목을 꺼내지 못했습니다"};
inline constexpr Text kNoRecord = {"no record for the {1} edition (Game = \"{2}\")",
                                   "{1} 기록이 없습니다 (Game = \"{2}\")"};
inline constexpr Text kNetmarble = {"Netmarble", "넷마블"};
inline constexpr Text kNexon = {"Nexon", "넥슨"};
inline constexpr Text kNotACatalogue = {"{1} (damaged, or not a catalogue)",
                                        "{1} (손상되었거나 게임 목록 파일이 아님)"};
inline constexpr Text kNotAStream = {"{1} (damaged, or not a table stream)",
                                     "{1} (손상되었거나 테이블 스트림이 아님)"};
inline constexpr Text kCannotRead = {"cannot be read", "읽을 수 없습니다"};
inline constexpr Text kCannotWrite = {"cannot be written: {1}", "쓸 수 없습니다: {1}"};
inline constexpr Text kNotWritten = {"not written: nothing was extracted",
                                     "쓰지 않았습니다: 꺼낸 것이 없습니다"};
inline constexpr Text kWindowsOnly = {
    "locate reads the Windows registry and runs only in the Windows build",
    "locate 는 Windows 레지스트리를 읽으므로 Windows 판에서만 실행됩니다"};

}  // namespace varnett
