// The wording of every kind of trace line, once: `varnett-admin locate`
// prints exactly these lines, and the locator's other tests assert records.
#include "locator/locator_trace_text.h"

#include <gtest/gtest.h>

#include "tests/locator/locator_records.h"
#include "text/conversions.h"

namespace varnett {
namespace {

using Kind = RootAnswer::Kind;

TEST(TraceLine, EveryKindOfRecord) {
  Candidates record;
  record.F1 = Ko("D:\\게임\\넷마블서든");
  record.K1 = kNetmarbleKey;
  record.K2 = "SOFTWARE\\Cafe\\NM";
  struct Case {
    LocatorStep step;
    std::string line;  // UTF-8
  } cases[] = {
      {DocumentsStep("C:\\Users\\guest\\Documents"),
       "documents folder: \"C:\\Users\\guest\\Documents\""},
      {DocumentsStep(""), "documents folder: none"},
      {HideFolderStep(kFound, "C:\\Cafe\\Hidden\\"),
       "hide folder registry HKLM \"SOFTWARE\\Trovek\\Config\" value \"HideFolder\": "
       "\"C:\\Cafe\\Hidden\\\""},
      {HideFolderStep(kDefault, "D:\\PLX"),
       "hide folder registry HKLM \"SOFTWARE\\Trovek\\Config\" value \"HideFolder\": "
       "missing or blank, default \"D:\\PLX\""},
      {CatalogueStep(kNetmarble, kFound),
       "netmarble catalogue \"D:\\PLX\\GameData\\GPData.nif\": present"},
      {CatalogueStep(kNexon, kDefault),
       "nexon catalogue \"D:\\PLX\\GameData\\GPData.nif\": absent, defaults used"},
      {RecordStep(kNetmarble, kFound, Ko("서든어택"), record),
       "netmarble catalogue record \"서든어택\": MPath \"D:\\게임\\넷마블서든\", DPath \"\", "
       "InsRPath \"SOFTWARE\\Netmarble\\NetmarbleSuddenAttack\", PRPath \"SOFTWARE\\Cafe\\NM\""},
      {RecordStep(kNexon, kNotFound, Ko("넥슨서든어택")),
       "nexon catalogue record \"넥슨서든어택\": none"},
      {RecordStep(kNetmarble, LocatorStep::Outcome::kEmptyMember, Ko("서든어택")),
       "netmarble catalogue member \"Game.dat\": missing or empty"},
      {RecordStep(kNexon, LocatorStep::Outcome::kFailed, Ko("넥슨서든어택"), {},
                  "Incomplete Zip File"),
       "nexon catalogue lookup failed"},
      {CandidateStep(kNetmarble, 1, kFolder, "F1", " \t", kSkipped),
       "netmarble step 1 folder F1: blank, skipped"},
      {CandidateStep(kNexon, 2, kRegistry, "K2", "", kSkipped, "RootPath"),
       "nexon step 2 registry K2: blank, skipped"},
      {CandidateStep(kNexon, 6, kExecutable, "K2", "", kSkipped, "Executable"),
       "nexon step 6 executable K2: blank, skipped"},
      {CandidateStep(kNexon, 11, kFolder, "F3", "C:\\Nexon\\SuddenAttack", kNotFound),
       "nexon step 11 folder F3 \"C:\\Nexon\\SuddenAttack\": not a folder"},
      {CandidateStep(kNetmarble, 2, kFolder, "F2", " E:\\NM", kFound),
       "netmarble step 2 folder F2 \" E:\\NM\": found"},
      {ValueStep(kNetmarble, 3, kRegistry, "K1", kNetmarbleKey, "DestDir",
                 Answers(Missing(), Missing())),
       "netmarble step 3 registry K1 \"SOFTWARE\\Netmarble\\NetmarbleSuddenAttack\" value "
       "\"DestDir\": HKCU missing; HKLM missing"},
      {ValueStep(kNexon, 1, kRegistry, "K1", kNexonKey, "RootPath",
                 Answers(AnswerOf(Kind::kBlank, " \t"), AnswerOf(Kind::kRelative, "game.exe"))),
       "nexon step 1 registry K1 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"RootPath\": "
       "HKCU blank \" \t\"; HKLM \"game.exe\": relative, not looked for"},
      {ValueStep(kNexon, 3, kRegistry, "K3", kNexonKey, "RootPath",
                 Answers(AnswerOf(Kind::kNotAFolder, "C:\\Gone\\", "C:\\Gone"),
                         AnswerOf(Kind::kFound, "E:\\SA", "E:\\SA"))),
       "nexon step 3 registry K3 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"RootPath\": "
       "HKCU \"C:\\Gone\\\" -> \"C:\\Gone\": not a folder; HKLM \"E:\\SA\": found"},
      {ValueStep(kNexon, 4, kRegistry, "K4", kNexonKey, "RootPath",
                 Answers(AnswerOf(Kind::kNotAFolder, "E:\\SA", "E:\\SA"), Missing())),
       "nexon step 4 registry K4 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"RootPath\": "
       "HKCU \"E:\\SA\": not a folder; HKLM missing"},
      {ValueStep(kNexon, 5, kExecutable, "K1", kNexonKey, "Executable",
                 Answers(AnswerOf(Kind::kFound, "C:\\Nexon SA\\SuddenAttack.exe", "C:\\Nexon SA"))),
       "nexon step 5 executable K1 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"Executable\": "
       "HKCU \"C:\\Nexon SA\\SuddenAttack.exe\" -> \"C:\\Nexon SA\": found"},
      {ValueStep(kNexon, 1, kRegistry, "K1", kNexonKey, "RootPath",
                 Answers(AnswerOf(Kind::kOtherType))),
       "nexon step 1 registry K1 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"RootPath\": "
       "Invalid data type for 'RootPath'"},
      {ValueStep(kNexon, 5, kExecutable, "K1", kNexonKey, "Executable",
                 Answers(Missing(), AnswerOf(Kind::kOtherType))),
       "nexon step 5 executable K1 \"SOFTWARE\\Nexon\\SuddenAttack\" value \"Executable\": "
       "HKCU missing; Invalid data type for 'Executable'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp949ToUtf8(TraceLine(c.step)), c.line);
}

}  // namespace
}  // namespace varnett
