#include "locator/locator_trace_text.h"

namespace varnett {

namespace {

using Outcome = LocatorStep::Outcome;
using Source = LocatorStep::Source;

// By the enumerators' order.
constexpr const char* kEditionNames[] = {"", "netmarble", "nexon"};
constexpr const char* kStepSourceNames[] = {"folder", "registry", "executable"};

std::string AnswerText(const RootAnswer& answer) {
  switch (answer.kind) {
    case RootAnswer::Kind::kMissing:
      return "missing";
    case RootAnswer::Kind::kBlank:
      return "blank " + Quoted(answer.text);
    case RootAnswer::Kind::kRelative:
      return Quoted(answer.text) + ": relative, not looked for";
    case RootAnswer::Kind::kNotAFolder:
    case RootAnswer::Kind::kFound:
      break;
    case RootAnswer::Kind::kNotAsked:
    case RootAnswer::Kind::kOtherType:
      return "";
  }
  std::string text = Quoted(answer.text);
  if (answer.folder != answer.text) text += " -> " + Quoted(answer.folder);
  return text + (answer.kind == RootAnswer::Kind::kFound ? ": found" : ": not a folder");
}

// How the roots answered, then what stopped the reading.
std::string AnswersText(const LocatorStep& step) {
  std::string text;
  for (const auto& [root, answer] :
       {std::pair<const char*, const RootAnswer*>{"HKCU ", &step.answers.user},
        {"HKLM ", &step.answers.machine}}) {
    std::string one = AnswerText(*answer);
    if (one.empty()) continue;
    if (!text.empty()) text += "; ";
    text += root + one;
  }
  if (step.outcome == Outcome::kFailed) text += (text.empty() ? "" : "; ") + step.error;
  return text;
}

std::string CatalogueRecordText(const LocatorStep& step, const std::string& edition) {
  switch (step.outcome) {
    case Outcome::kFound: {
      const Candidates& c = step.record;
      return edition + " catalogue record " + Quoted(step.path) + ": MPath " + Quoted(c.F1) +
             ", DPath " + Quoted(c.F2) + ", InsRPath " + Quoted(c.K1) + ", PRPath " + Quoted(c.K2);
    }
    case Outcome::kEmptyMember:
      return edition + " catalogue member \"Game.dat\": missing or empty";
    case Outcome::kFailed:
      return edition + " catalogue lookup failed";
    default:
      break;
  }
  return edition + " catalogue record " + Quoted(step.path) + ": none";
}

}  // namespace

std::string TraceLine(const LocatorStep& step) {
  std::string edition = kEditionNames[static_cast<int>(step.edition)];
  switch (step.source) {
    case Source::kDocumentsFolder:
      return "documents folder: " +
             (step.outcome == Outcome::kFound ? Quoted(step.folder) : "none");
    case Source::kHideFolder:
      return "hide folder registry HKLM " + Quoted(step.path) + " value " +
             Quoted(step.value_name) + ": " +
             (step.outcome == Outcome::kDefault ? "missing or blank, default " : "") +
             Quoted(step.folder);
    case Source::kCatalogue:
      return edition + " catalogue " + Quoted(step.path) +
             (step.outcome == Outcome::kDefault ? ": absent, defaults used" : ": present");
    case Source::kCatalogueRecord:
      return CatalogueRecordText(step, edition);
    case Source::kFolder:
    case Source::kRegistry:
    case Source::kExecutable:
      break;
  }
  std::string line =
      edition + " step " + std::to_string(step.number) + " " +
      kStepSourceNames[static_cast<int>(step.source) - static_cast<int>(Source::kFolder)] + " " +
      std::string(step.candidate_name);
  if (step.outcome == Outcome::kSkipped) return line + ": blank, skipped";
  line += " " + Quoted(step.path);
  if (step.source == Source::kFolder)
    return line + (step.outcome == Outcome::kFound ? ": found" : ": not a folder");
  return line + " value " + Quoted(step.value_name) + ": " + AnswersText(step);
}

}  // namespace varnett
