#include "locator/edition_search.h"

#include <new>

#include "catalogue/errors.h"
#include "locator/registry_values.h"
#include "platform/text.h"
#include "text/cp949.h"

namespace varnett {

namespace {

enum class StepKind {
  kFolder,      // the candidate itself, when it is an existing directory
  kRegistry,    // ReadFolderValue under the key candidate
  kExecutable,  // the folder holding the program named by "Executable"
};

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
  const char* trace_name;
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
    "netmarble",
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
    "nexon",
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

// Shows a catalogue failure the way every message of the program looks:
// after an empty first line.
void ReportCatalogueFailure(const LocatorContext& context, const Edition& edition,
                            const std::string& message) {
  context.Trace(std::string(edition.trace_name) + " catalogue lookup failed");
  context.system.dialogs.Information("\r\n" + message);
}

void LookUpCandidates(const LocatorContext& context, const Edition& edition,
                      const std::string& catalogue_path, Candidates& c) {
  std::string name = edition.trace_name;
  std::string key = Ko(edition.catalogue_key);
  context.Trace(name + " catalogue " + Quoted(catalogue_path) + ": present");
  try {
    switch (context.catalogue.LookUp(catalogue_path, key, c)) {
      case CatalogueLookup::Outcome::kFound:
        context.Trace(name + " catalogue record " + Quoted(key) + ": MPath " + Quoted(c.F1) +
                      ", DPath " + Quoted(c.F2) + ", InsRPath " + Quoted(c.K1) + ", PRPath " +
                      Quoted(c.K2));
        break;
      case CatalogueLookup::Outcome::kNoRecord:
        context.Trace(name + " catalogue record " + Quoted(key) + ": none");
        break;
      case CatalogueLookup::Outcome::kEmptyMember:
        context.Trace(name + " catalogue member \"Game.dat\": missing or empty");
        break;
    }
  } catch (const CatalogueError& e) {
    ReportCatalogueFailure(context, edition, e.what());
  } catch (const std::bad_alloc&) {
    // A damaged size field can ask for more memory than there is; that is
    // one more way of being unreadable, not a reason to stop the program.
    ReportCatalogueFailure(context, edition, "Out of memory");
  }
}

Candidates SetUpCandidates(const LocatorContext& context, const Edition& edition,
                           const std::string& catalogue_path) {
  Candidates c;
  if (context.system.files.FileExists(catalogue_path)) {
    // Whatever the catalogue gives is final: no defaults behind it.
    LookUpCandidates(context, edition, catalogue_path, c);
  } else {
    context.Trace(std::string(edition.trace_name) + " catalogue " + Quoted(catalogue_path) +
                  ": absent, defaults used");
    c.F1 = edition.default_f1;
    c.F2 = edition.default_f2;
    c.K1 = edition.default_key;
    c.K2 = edition.default_key;
  }
  return c;
}

std::string RunStep(const LocatorContext& context, const Step& step, const std::string& candidate,
                    const std::string& trace_prefix) {
  if (step.kind == StepKind::kFolder) {
    bool exists = context.system.files.DirectoryExists(candidate);
    context.Trace(trace_prefix + ": " + (exists ? "found" : "not a folder"));
    return exists ? candidate : std::string();
  }
  std::string line = trace_prefix + " value " + Quoted(step.value_name) + ": ";
  std::string report;
  std::string folder;
  try {
    // For "Executable" the value names the game's program; the normalised
    // value is the folder holding it, which is where the game keeps its
    // settings file "gvi.dat", so that folder is taken as it is.
    folder = ReadFolderValue(context.system.registry, context.system.files, candidate,
                             step.value_name, &report);
  } catch (const RegistryTypeError& e) {
    context.Trace(line + (report.empty() ? "" : report + "; ") + e.what());
    throw;
  }
  context.Trace(line + report);
  return folder;
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
    const Step& step = edition.steps[i];
    const std::string& candidate = c.*step.candidate;
    std::string prefix = std::string(edition.trace_name) + " step " + std::to_string(i + 1) + " " +
                         (step.kind == StepKind::kFolder     ? "folder "
                          : step.kind == StepKind::kRegistry ? "registry "
                                                             : "executable ") +
                         step.name;
    if (IsBlank(candidate)) {
      context.Trace(prefix + ": blank, skipped");
      continue;
    }
    folder = RunStep(context, step, candidate, prefix + " " + Quoted(candidate));
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
