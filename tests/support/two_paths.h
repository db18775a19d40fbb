// One extraction run twice, with and without the whole-member decoding, and
// everything a caller can observe of each: the count, what was raised (its
// kind and text), the boxes shown, the target's bytes, size and position.
// The two must never differ; the tests and a fuzz target hold them to it.
#pragma once

#include <string>
#include <typeinfo>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/unzipper.h"
#include "platform/sim/sim_platform.h"

namespace varnett {

struct ExtractionSeen {
  int verified = -1;
  std::string raised;  // "kind: text", "" when nothing was raised
  std::vector<std::string> boxes;
  std::string bytes;
  size_t position = 0;

  bool operator==(const ExtractionSeen& o) const {
    return verified == o.verified && raised == o.raised && boxes == o.boxes && bytes == o.bytes &&
           position == o.position;
  }
  std::string Describe() const {
    return "verified " + std::to_string(verified) + ", raised \"" + raised + "\", " +
           std::to_string(boxes.size()) + " boxes, " + std::to_string(bytes.size()) +
           " bytes, position " + std::to_string(position);
  }
};

// Extracts `name` from `archive` (catalogue signatures) in a fresh reader.
inline ExtractionSeen SeeExtraction(const std::string& archive, const std::string& name,
                                    bool whole_members) {
  SimPlatform sim;
  sim.files.AddFile("C:\\PLX\\GameData\\GPData.nif", archive);
  TUnZipper unzipper({sim.files, sim.dialogs});
  unzipper.whole_members = whole_members;
  unzipper.SetZipName("C:\\PLX\\GameData\\GPData.nif");
  MemoryStream stream;
  ExtractionSeen seen;
  try {
    seen.verified = unzipper.ExtractToStream(&stream, name);
  } catch (const CatalogueError& e) {
    seen.raised = std::string(typeid(e).name()) + ": " + e.what();
  }
  seen.boxes = sim.dialogs.shown;
  seen.bytes = std::string(stream.Bytes());
  seen.position = stream.Position();
  return seen;
}

// The names of the archive's entries (at most `most`), as the reader lists
// them; none when its directory cannot be read.
inline std::vector<std::string> EntryNames(const std::string& archive, size_t most) {
  SimPlatform sim;
  sim.files.AddFile("C:\\PLX\\GameData\\GPData.nif", archive);
  TUnZipper unzipper({sim.files, sim.dialogs});
  unzipper.SetZipName("C:\\PLX\\GameData\\GPData.nif");
  std::vector<std::string> names;
  try {
    unzipper.Opening();
  } catch (const CatalogueError&) {
    return names;
  }
  const TSortedEntries* directory = unzipper.Directory();
  for (size_t i = 0; directory != nullptr && i < directory->Count() && names.size() < most; ++i) {
    const std::string name = (*directory)[i].FullName();
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

}  // namespace varnett
