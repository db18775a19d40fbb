// The locator's records as tests expect them: a readable print (the trace
// line) and one builder per kind of record, filled the way the
// locator fills them.
#pragma once

#include <ostream>
#include <string>

#include "locator/locator_trace.h"
#include "locator/locator_trace_text.h"

namespace varnett {

// The names the records are written with, and the editions' registry keys.
constexpr auto kNetmarble = LocatorStep::Edition::kNetmarble;
constexpr auto kNexon = LocatorStep::Edition::kNexon;
constexpr auto kFolder = LocatorStep::Source::kFolder;
constexpr auto kRegistry = LocatorStep::Source::kRegistry;
constexpr auto kExecutable = LocatorStep::Source::kExecutable;
constexpr auto kFound = LocatorStep::Outcome::kFound;
constexpr auto kNotFound = LocatorStep::Outcome::kNotFound;
constexpr auto kDefault = LocatorStep::Outcome::kDefault;
constexpr auto kSkipped = LocatorStep::Outcome::kSkipped;
inline const std::string kNetmarbleKey = "SOFTWARE\\Netmarble\\NetmarbleSuddenAttack";
inline const std::string kNexonKey = "SOFTWARE\\Nexon\\SuddenAttack";

inline void PrintTo(const LocatorStep& step, std::ostream* out) {
  *out << TraceLine(step);
  if (!step.error.empty()) *out << " [" << step.error << "]";
  if (!step.folder.empty()) *out << " [folder " << step.folder << "]";
}

inline RootAnswer AnswerOf(RootAnswer::Kind kind, const std::string& text = "",
                           const std::string& folder = "") {
  RootAnswer answer;
  answer.kind = kind;
  answer.text = text;
  answer.folder = folder;
  return answer;
}
inline RootAnswer Missing() { return AnswerOf(RootAnswer::Kind::kMissing); }
inline FolderValueAnswers Answers(RootAnswer user, RootAnswer machine = {}) {
  return {std::move(user), std::move(machine)};
}

inline LocatorStep SetUpStep(LocatorStep::Source source, LocatorStep::Outcome outcome,
                             const std::string& path = "", const std::string& folder = "") {
  LocatorStep step;
  step.source = source;
  step.outcome = outcome;
  step.path = path;
  step.folder = folder;
  return step;
}

inline LocatorStep DocumentsStep(const std::string& folder) {
  return SetUpStep(LocatorStep::Source::kDocumentsFolder,
                   folder.empty() ? LocatorStep::Outcome::kNotFound : LocatorStep::Outcome::kFound,
                   "", folder);
}

inline LocatorStep HideFolderStep(LocatorStep::Outcome outcome, const std::string& folder) {
  LocatorStep step =
      SetUpStep(LocatorStep::Source::kHideFolder, outcome, "SOFTWARE\\Trovek\\Config", folder);
  step.value_name = "HideFolder";
  return step;
}

inline LocatorStep CatalogueStep(LocatorStep::Edition edition, LocatorStep::Outcome outcome,
                                 const std::string& path = "D:\\PLX\\GameData\\GPData.nif") {
  LocatorStep step = SetUpStep(LocatorStep::Source::kCatalogue, outcome, path);
  step.edition = edition;
  return step;
}

// `record` with F1, F2, K1 and K2 only; `error` for a failed lookup.
inline LocatorStep RecordStep(LocatorStep::Edition edition, LocatorStep::Outcome outcome,
                              const std::string& key, const Candidates& record = {},
                              const std::string& error = "") {
  LocatorStep step = SetUpStep(LocatorStep::Source::kCatalogueRecord, outcome, key);
  step.edition = edition;
  step.record = record;
  step.error = error;
  return step;
}

// A folder step, or a registry or executable step skipped for a blank key.
inline LocatorStep CandidateStep(LocatorStep::Edition edition, int number,
                                 LocatorStep::Source source, const char* name,
                                 const std::string& candidate, LocatorStep::Outcome outcome,
                                 const char* value_name = "") {
  LocatorStep step = SetUpStep(source, outcome, candidate);
  step.edition = edition;
  step.number = number;
  step.candidate_name = name;
  step.value_name = value_name;
  if (outcome == LocatorStep::Outcome::kFound) step.folder = candidate;
  return step;
}

// A registry or executable step that read `answers`; the outcome follows
// from them.
inline LocatorStep ValueStep(LocatorStep::Edition edition, int number, LocatorStep::Source source,
                             const char* name, const std::string& key, const char* value_name,
                             const FolderValueAnswers& answers) {
  LocatorStep step = CandidateStep(edition, number, source, name, key,
                                   LocatorStep::Outcome::kNotFound, value_name);
  step.answers = answers;
  step.folder = answers.Folder();
  if (!step.folder.empty()) step.outcome = LocatorStep::Outcome::kFound;
  if (answers.OtherType()) {
    step.outcome = LocatorStep::Outcome::kFailed;
    step.error = RegistryTypeError(value_name).what();
  }
  return step;
}

}  // namespace varnett
