#include "locator/edition_search.h"

#include <new>
#include <utility>

#include "catalogue/errors.h"
#include "locator/catalogue_component_lookup.h"
#include "locator/registry_values.h"
#include "text/conversions.h"
#include "text/cp949.h"

namespace varnett {

namespace {

// A step's kind is the source its record names. kFolder: the candidate
// itself, when it is an existing directory; kRegistry: ReadFolderValue under
// the key candidate; kExecutable: the folder holding the program named by
// "Executable".
using StepKind = LocatorStep::Source;

struct Step {
  StepKind kind;
  const char* name;  // "F1", "K3", ...
  std::string Candidates::*candidate;
  const char* value_name;  // registry steps only
};

constexpr Step kNetmarbleSteps[] = {
    {StepKind::kFolder, "F1", &Candidates::F1, nullptr},
    {StepKind::kFolder, "F2", &Candidates::F2, nullptr},
    {StepKind::kRegistry, "K1", &Candidates::K1, "DestDir"},
    {StepKind::kRegistry, "K2", &Candidates::K2, "DestDir"},
};

// The registry first, folders last; without a catalogue K1 to K4 are one key.
constexpr Step kNexonSteps[] = {
    {StepKind::kRegistry, "K1", &Candidates::K1, "RootPath"},
    {StepKind::kRegistry, "K2", &Candidates::K2, "RootPath"},
    {StepKind::kRegistry, "K3", &Candidates::K3, "RootPath"},
    {StepKind::kRegistry, "K4", &Candidates::K4, "RootPath"},
    {StepKind::kExecutable, "K1", &Candidates::K1, "Executable"},
    {StepKind::kExecutable, "K2", &Candidates::K2, "Executable"},
    {StepKind::kExecutable, "K3", &Candidates::K3, "Executable"},
    {StepKind::kExecutable, "K4", &Candidates::K4, "Executable"},
    {StepKind::kFolder, "F1", &Candidates::F1, nullptr},
    {StepKind::kFolder, "F2", &Candidates::F2, nullptr},
    {StepKind::kFolder, "F3", &Candidates::F3, nullptr},
    {StepKind::kFolder, "F4", &Candidates::F4, nullptr},
};

struct Edition {
  LocatorStep::Edition id;
  const char* catalogue_key;  // UTF-8
  // Used when there is no catalogue file.
  const char* default_f1;
  const char* default_f2;
  const char* default_key;
  // Set whatever the catalogue says (Nexon only): F3, F4, and K3 = K4.
  const char* fixed_f3;
  const char* fixed_f4;
  const char* fixed_key;
  const Step* steps;
  size_t step_count;
};

constexpr char kNexonKey[] = "SOFTWARE\\Nexon\\SuddenAttack";

const Edition kNetmarble = {
    LocatorStep::Edition::kNetmarble,
    "서든어택",
    "D:\\Netmarble\\NetmarbleSuddenAttack",
    "C:\\Netmarble\\NetmarbleSuddenAttack",
    "SOFTWARE\\Netmarble\\NetmarbleSuddenAttack",
    nullptr,
    nullptr,
    nullptr,
    kNetmarbleSteps,
    sizeof kNetmarbleSteps / sizeof kNetmarbleSteps[0],
};

const Edition kNexon = {
    LocatorStep::Edition::kNexon,
    "넥슨서든어택",
    "D:\\Program Files\\Nexon\\SuddenAttack",
    "C:\\Program Files\\Nexon\\SuddenAttack",
    kNexonKey,
    "C:\\Nexon\\SuddenAttack",
    "D:\\Nexon\\SuddenAttack",
    kNexonKey,
    kNexonSteps,
    sizeof kNexonSteps / sizeof kNexonSteps[0],
};

using Outcome = LocatorStep::Outcome;

LocatorStep SetUpRecord(const Edition& edition, LocatorStep::Source source, std::string path,
                        Outcome outcome) {
  LocatorStep record;
  record.edition = edition.id;
  record.source = source;
  record.path = std::move(path);
  record.outcome = outcome;
  return record;
}

// Shows a catalogue failure the way every message of the program looks:
// after an empty first line.
void ReportCatalogueFailure(const LocatorContext& context, const Edition& edition,
                            const std::string& key, const std::string& message) {
  LocatorStep record =
      SetUpRecord(edition, LocatorStep::Source::kCatalogueRecord, key, Outcome::kFailed);
  record.error = message;
  context.Note(std::move(record));
  context.system.dialogs.Information("\r\n" + message);
}

Outcome StepOutcome(CatalogueComponentLookup::Outcome outcome) {
  switch (outcome) {
    case CatalogueComponentLookup::Outcome::kFound:
      return Outcome::kFound;
    case CatalogueComponentLookup::Outcome::kNoRecord:
      return Outcome::kNotFound;
    case CatalogueComponentLookup::Outcome::kEmptyMember:
      break;
  }
  return Outcome::kEmptyMember;
}

void LookUpCandidates(const LocatorContext& context, const Edition& edition,
                      const std::string& catalogue_path, Candidates& c) {
  std::string key = Ko(edition.catalogue_key);
  context.Note(
      SetUpRecord(edition, LocatorStep::Source::kCatalogue, catalogue_path, Outcome::kFound));
  try {
    Outcome outcome = StepOutcome(context.catalogue.LookUp(catalogue_path, key, c));
    LocatorStep record = SetUpRecord(edition, LocatorStep::Source::kCatalogueRecord, key, outcome);
    if (outcome == Outcome::kFound) record.record = c;
    context.Note(std::move(record));
  } catch (const CatalogueError& e) {
    ReportCatalogueFailure(context, edition, key, e.what());
  } catch (const std::bad_alloc&) {
    // A damaged size field can ask for more memory than there is; that is
    // one more way of being unreadable, not a reason to stop the program.
    ReportCatalogueFailure(context, edition, key, "Out of memory");
  }
}

Candidates SetUpCandidates(const LocatorContext& context, const Edition& edition,
                           const std::string& catalogue_path) {
  Candidates c;
  if (context.system.files.FileExists(catalogue_path)) {
    // Whatever the catalogue gives is final: no defaults behind it.
    LookUpCandidates(context, edition, catalogue_path, c);
  } else {
    context.Note(
        SetUpRecord(edition, LocatorStep::Source::kCatalogue, catalogue_path, Outcome::kDefault));
    c.F1 = edition.default_f1;
    c.F2 = edition.default_f2;
    c.K1 = edition.default_key;
    c.K2 = edition.default_key;
  }
  return c;
}

LocatorStep StepRecord(const Edition& edition, size_t index, const std::string& candidate,
                       Outcome outcome) {
  const Step& step = edition.steps[index];
  LocatorStep record = SetUpRecord(edition, step.kind, candidate, outcome);
  record.number = static_cast<int>(index + 1);
  record.candidate_name = step.name;
  if (step.value_name) record.value_name = step.value_name;
  return record;
}

// Runs step `index` of `edition` on its non-blank candidate; the record's
// folder is the one the step gives, or empty.
LocatorStep RunStep(const LocatorContext& context, const Edition& edition, size_t index,
                    const std::string& candidate) {
  const Step& step = edition.steps[index];
  LocatorStep record = StepRecord(edition, index, candidate, Outcome::kNotFound);
  if (step.kind == StepKind::kFolder) {
    if (context.system.files.DirectoryExists(candidate)) record.folder = candidate;
  } else {
    // For "Executable" the value names the game's program; the normalised
    // value is the folder holding it, which is where the game keeps its
    // settings file "gvi.dat", so that folder is taken as it is.
    record.answers =
        ReadFolderValue(context.system.registry, context.system.files, candidate, step.value_name);
    if (record.answers.OtherType()) {
      record.outcome = Outcome::kFailed;
      record.error = RegistryTypeError(step.value_name).what();
      return record;
    }
    record.folder = record.answers.Folder();
  }
  if (!record.folder.empty()) record.outcome = Outcome::kFound;
  return record;
}

std::string Locate(const LocatorContext& context, const Edition& edition,
                   const std::string& catalogue_path) {
  Candidates c = SetUpCandidates(context, edition, catalogue_path);
  if (edition.fixed_key) {
    c.F3 = edition.fixed_f3;
    c.F4 = edition.fixed_f4;
    c.K3 = edition.fixed_key;
    c.K4 = edition.fixed_key;
  }
  std::string folder;
  for (size_t i = 0; i < edition.step_count && IsBlank(folder); ++i) {
    const std::string& candidate = c.*edition.steps[i].candidate;
    if (IsBlank(candidate)) {
      context.Note(StepRecord(edition, i, candidate, Outcome::kSkipped));
      continue;
    }
    LocatorStep record = RunStep(context, edition, i, candidate);
    folder = record.folder;
    bool failed = record.outcome == Outcome::kFailed;
    context.Note(std::move(record));
    if (failed) throw RegistryTypeError(edition.steps[i].value_name);
  }
  return folder;
}

}  // namespace

std::string CataloguePath(const std::string& hide_folder) {
  return hide_folder + "\\GameData\\GPData.nif";
}

std::string LocateNetmarble(const LocatorContext& context, const std::string& catalogue_path) {
  return Locate(context, kNetmarble, catalogue_path);
}

std::string LocateNexon(const LocatorContext& context, const std::string& catalogue_path) {
  return Locate(context, kNexon, catalogue_path);
}

}  // namespace varnett
