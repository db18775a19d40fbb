// varnett-admin: the café operator's tool. Shows where Varnett finds the
// games and what the café's game catalogue holds; it only reads.
#include <cstring>
#include <string>

#include "tools/varnett-admin/commands.h"
#include "tools/varnett-admin/console.h"
#include "tools/varnett-admin/texts.h"
#include "tools/varnett-admin/version.h"
#ifdef _WIN32
#include "platform/win32/system_libraries.h"
#endif

namespace varnett {

namespace {

struct Command {
  const char* name;
  // The options it takes: "-o=" takes a value, "--stream" is a flag.
  std::initializer_list<const char*> options;
  Text synopsis;  // its lines in the overall help
  Text details;   // added below the synopsis in the command's own help
  int (*run)(const CommandLine& line);
};

// Help texts are laid out for an 80-column console.
const Command kCommands[] = {
    {"locate",
     {},
     {"  locate\n"
      "      Finds the game folders exactly as Varnett does at start and prints\n"
      "      every place it tried, with what it found there. Run it as the\n"
      "      customer's account: it reads that user's registry values and\n"
      "      documents folder.\n",
      "  locate\n"
      "      Varnett 가 시작할 때와 똑같이 게임 폴더를 찾고, 살펴본 곳과 그곳에서\n"
      "      찾은 것을 모두 보여 줍니다. 손님 계정으로 실행하십시오: 그 사용자의\n"
      "      레지스트리 값과 문서 폴더를 읽습니다.\n"},
     {"\n  The last four lines are the folders found: DocumentsFolder, HideFolder,\n"
      "  NetmarbleFolder, NexonFolder (empty: not found). Lines starting with\n"
      "  \"message:\" are the notices Varnett would show in a box.\n",
      "\n  마지막 네 줄이 찾은 폴더입니다: DocumentsFolder, HideFolder,\n"
      "  NetmarbleFolder, NexonFolder (비어 있으면 못 찾음). \"message:\" 로 시작하는\n"
      "  줄은 Varnett 가 창으로 보여 줄 알림입니다.\n"},
     RunLocate},
    {"lookup",
     {},
     {"  lookup ARCHIVE EDITION\n"
      "      The edition's record in a catalogue archive (GPData.nif), as Varnett\n"
      "      reads it: MPath, DPath, InsRPath, PRPath. EDITION is netmarble or nexon.\n",
      "  lookup ARCHIVE EDITION\n"
      "      게임 목록 파일(GPData.nif)에서 에디션의 기록을 Varnett 처럼 읽어 MPath,\n"
      "      DPath, InsRPath, PRPath 를 보여 줍니다. EDITION 은 netmarble 또는 nexon.\n"},
     {"\n  Example: varnett-admin lookup D:\\PLX\\GameData\\GPData.nif nexon\n",
      "\n  예: varnett-admin lookup D:\\PLX\\GameData\\GPData.nif nexon\n"},
     RunLookup},
    {"records",
     {"--stream"},
     {"  records ARCHIVE\n"
      "  records --stream FILE\n"
      "      Every record of the catalogue (\"Game.dat\" in the archive, or a table\n"
      "      stream file), one a line: the field names first, values separated by\n"
      "      tabs.\n",
      "  records ARCHIVE\n"
      "  records --stream FILE\n"
      "      게임 목록의 모든 기록(파일 안의 \"Game.dat\", 또는 테이블 스트림 파일)을\n"
      "      한 줄에 하나씩 보여 줍니다: 첫 줄은 필드 이름, 값은 탭으로 나뉩니다.\n"},
     {"", ""},
     RunRecords},
    {"list",
     {},
     {"  list ARCHIVE\n"
      "      The archive's directory, one member a line: method flags compressed\n"
      "      uncompressed crc32 offset name.\n",
      "  list ARCHIVE\n"
      "      파일의 목록을 한 줄에 한 항목씩: 방식 플래그 압축크기 원래크기 crc32\n"
      "      위치 이름.\n"},
     {"", ""},
     RunList},
    {"extract",
     {"-o="},
     {"  extract ARCHIVE [NAME] [-o FILE]\n"
      "      A member's bytes (NAME, default Game.dat) into FILE, or to standard\n"
      "      output when that is redirected (never onto the console). Says\n"
      "      \"verified N\": how many members of that name passed their check.\n",
      "  extract ARCHIVE [NAME] [-o FILE]\n"
      "      항목(NAME, 기본값 Game.dat)의 내용을 FILE 에, 또는 파일로 돌린 표준\n"
      "      출력에 씁니다 (콘솔에는 쓰지 않음). \"verified N\" 은 그 이름의 항목 중\n"
      "      검사를 통과한 수입니다.\n"},
     {"\n  Example: varnett-admin extract GPData.nif -o Game.dat\n",
      "\n  예: varnett-admin extract GPData.nif -o Game.dat\n"},
     RunExtract},
};

constexpr Text kUsageHead = {
    "usage: varnett-admin COMMAND [ARGUMENTS]\n"
    "       varnett-admin COMMAND --help\n"
    "       varnett-admin --help | --version\n",
    "사용법: varnett-admin COMMAND [ARGUMENTS]\n"
    "        varnett-admin COMMAND --help\n"
    "        varnett-admin --help | --version\n"};

constexpr Text kAbout = {
    "\nShows where Varnett finds the games and what the café's game catalogue\n"
    "holds. It only reads; it changes nothing.\n\ncommands:\n",
    "\nVarnett 가 게임을 어디에서 찾는지, 피시방의 게임 목록 파일에 무엇이 있는지\n"
    "보여 줍니다. 읽기만 하고 아무것도 바꾸지 않습니다.\n\n명령:\n"};

constexpr Text kValues = {
    "\nvalues (lookup, records, list):\n"
    "  Paths print as they are, with single backslashes. A tab, CR or LF inside a\n"
    "  value prints as \\t, \\r, \\n, and a byte that is no Korean (CP949) character\n"
    "  as \\xHH. In records, \\N is a field with no value (null); an empty value\n"
    "  prints as nothing. In lookup, a null value prints as empty.\n",
    "\n값 (lookup, records, list):\n"
    "  경로는 그대로, 역슬래시 하나로 나옵니다. 값 안의 탭, CR, LF 는 \\t, \\r, \\n\n"
    "  으로, 한글 코드(CP949) 문자가 아닌 바이트는 \\xHH 로 나옵니다. records 의\n"
    "  \\N 은 값이 없는 필드(null)이고, 빈 값은 아무것도 나오지 않습니다. lookup\n"
    "  에서는 null 도 빈 값으로 나옵니다.\n"};

constexpr Text kExitCodes = {
    "\nexit codes:\n"
    "  0   done\n"
    "  1   nothing found: no member of that name, an empty member or file, no\n"
    "      record for the edition (the reason is on standard error)\n"
    "  2   error: a file cannot be read, is damaged or is not a catalogue, or the\n"
    "      registry holds a value of the wrong type\n"
    "  64  wrong command line\n",
    "\n종료 코드:\n"
    "  0   완료\n"
    "  1   찾은 것이 없음: 그 이름의 항목이 없음, 빈 항목이나 빈 파일, 에디션의\n"
    "      기록이 없음 (이유는 표준 오류에 나옴)\n"
    "  2   오류: 파일을 읽을 수 없음, 손상되었거나 게임 목록 파일이 아님, 또는\n"
    "      레지스트리 값의 형식이 틀림\n"
    "  64  명령줄이 틀림\n"};

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

int Help() {
  std::string text = Say(kUsageHead) + Say(kAbout);
  for (const Command& c : kCommands) text += Say(c.synopsis);
  WriteOut(text + Say(kValues) + Say(kExitCodes));
  return kExitOk;
}

constexpr Text kCommandUsageHead = {"usage: varnett-admin\n", "사용법: varnett-admin\n"};

int CommandHelp(const Command& c) {
  std::string text = Say(kCommandUsageHead) + Say(c.synopsis) + Say(c.details);
  // The commands that print catalogue values say how they print.
  if (std::strcmp(c.name, "locate") != 0 && std::strcmp(c.name, "extract") != 0)
    text += Say(kValues);
  WriteOut(text + Say(kExitCodes));
  return kExitOk;
}

// Splits a command's arguments into options and operands. "--" ends the
// options, so a file named like one can still be given.
int ParseCommandLine(const Command& c, const Args& args, CommandLine* line) {
  line->command = c.name;
  bool options_end = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_end || arg.size() < 2 || arg[0] != '-') {
      line->operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    const char* known = nullptr;
    bool takes_value = false;
    for (const char* option : c.options) {
      const size_t n = std::strlen(option);
      takes_value = option[n - 1] == '=';
      if (arg == std::string(option, takes_value ? n - 1 : n)) {
        known = option;
        break;
      }
    }
    if (!known) return UsageError(Say(kUnknownOption, {c.name, arg}));
    if (!takes_value) {
      line->options[arg] = "";
    } else if (i + 1 < args.size()) {
      line->options[arg] = args[++i];
    } else {
      return UsageError(Say(kMissing, {std::string(c.name) + " " + arg, "FILE"}));
    }
  }
  return kExitOk;
}

}  // namespace

int CheckOperands(const CommandLine& line, std::initializer_list<const char*> names,
                  size_t optional) {
  const size_t required = names.size() - optional;
  if (line.operands.size() < required)
    return UsageError(Say(kMissing, {line.command, names.begin()[line.operands.size()]}));
  if (line.operands.size() > names.size())
    return UsageError(Say(kUnexpected, {line.command, line.operands[names.size()]}));
  return kExitOk;
}

}  // namespace varnett

int main(int argc, char** argv) {
  using namespace varnett;
#ifdef _WIN32
  // First: operators run this from the program's folder, and nothing may
  // load from there.
  LimitLibrarySearchToSystemFolder();
#endif
  PrepareConsole();
  const Args args = CommandLineArgs(argc, argv);
  if (args.empty()) return UsageError(Say(kMissingCommand));
  if (IsHelp(args[0])) return Help();
  if (args[0] == "--version") {
    WriteOut(std::string("varnett-admin ") + kVersion + "\n");
    return kExitOk;
  }
  for (const Command& c : kCommands) {
    if (args[0] != c.name) continue;
    const Args rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest) {
      if (arg == "--") break;
      if (IsHelp(arg)) return CommandHelp(c);
    }
    CommandLine line;
    if (int usage = ParseCommandLine(c, rest, &line)) return usage;
    return c.run(line);
  }
  return UsageError(Say(kUnknownCommand, {args[0]}));
}
