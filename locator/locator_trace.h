// The locator's trace: every source it tried, in order, with the outcome, so
// an operator can see why an edition was not found. The locator keeps the
// list only when it is asked for one.
#pragma once

#include <string>
#include <string_view>

#include "locator/candidates.h"
#include "locator/registry_values.h"

namespace varnett {

// One source the locator tried and what it gave. Which members are used
// depends on `source` and `outcome`; the others stay empty.
struct LocatorStep {
  enum class Edition { kNone, kNetmarble, kNexon };
  enum class Source {
    kDocumentsFolder,  // the platform's documents folder
    kHideFolder,       // the machine's `value_name` under key `path`
    kCatalogue,        // the catalogue file `path`
    kCatalogueRecord,  // the edition's record in it, `path` its key
    kFolder,           // candidate `path` itself
    kRegistry,         // `value_name` naming a folder under candidate key `path`
    kExecutable,       // `value_name` naming a program under candidate key `path`
  };
  enum class Outcome {
    kFound,        // `folder` (catalogue: present; record: `record` holds it)
    kNotFound,     // no documents folder, no record, no folder
    kDefault,      // hidden folder blank, catalogue absent: defaults taken
    kSkipped,      // the candidate is blank
    kEmptyMember,  // the catalogue holds no "Game.dat", or an empty one
    kFailed,       // `error`: catalogue unreadable, value of the wrong type
  };

  Edition edition = Edition::kNone;
  int number = 0;  // an edition's steps count from 1; set-up has none
  Source source = Source::kFolder;
  Outcome outcome = Outcome::kNotFound;
  std::string_view candidate_name;  // "F1", "K3", ...: steps only
  std::string path;
  std::string_view value_name;
  FolderValueAnswers answers;  // registry and executable steps
  Candidates record;           // F1, F2, K1 and K2 of a record found
  std::string folder;
  std::string error;
};

inline bool operator==(const LocatorStep& a, const LocatorStep& b) {
  return a.edition == b.edition && a.number == b.number && a.source == b.source &&
         a.outcome == b.outcome && a.candidate_name == b.candidate_name && a.path == b.path &&
         a.value_name == b.value_name && a.answers == b.answers && a.record == b.record &&
         a.folder == b.folder && a.error == b.error;
}

}  // namespace varnett
