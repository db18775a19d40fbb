// Archives written at test time by real tools (Info-ZIP zip, Python's
// zipfile, 7-Zip), given the catalogue's signatures by walking their
// structure, extract byte for byte; a member packed with a method the reader
// does not know is refused with the reader's box, an encrypted one skipped.
// Each producer runs twice: on small originals and on large ones (a table
// stream that deflates into several blocks and fills more than one output
// chunk, and incompressible noise). A producer that is missing fails the test.
//
// With VARNETT_REAL_SEEDS naming a folder, the converted archives of the small
// originals are also written there as "real-<producer>": the archive reader's
// fuzz seeds (fuzz/corpus/archive_reader/) are made that way.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalogue/zip_format.h"
#include "locator/catalogue_component_lookup.h"
#include "tests/catalogue/archive_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/run_command.h"
#include "text/conversions.h"
#include "tools/writer/cafe_games.h"
#include "tools/writer/catalogue_writer.h"
#include "tools/writer/signature_rewrite.h"

namespace varnett {
namespace {

namespace fs = std::filesystem;

// A scratch folder, removed with everything in it.
struct ScratchFolder {
  fs::path path;
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "varnett-real-XXXXXX").string();
    if (mkdtemp(&pattern[0])) path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
};

// Runs a bash script in `folder`; a failing command (a missing tool among
// them) fails the test with what the script said.
bool RunScript(const fs::path& folder, const std::string& script) {
  const CommandResult r =
      RunCommand({"bash", "-c", "set -euo pipefail; cd \"$0\"; " + script, folder.string()});
  if (r.ran && r.status == 0) return true;
  ADD_FAILURE() << script << "\nexit status " << r.status << "\n" << r.messages;
  return false;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

const char kMPath[] = "D:\\Netmarble\\SA";

// The originals, under the names the producers' scripts use. "Game.dat" is a
// real catalogue table: `games` filler records, then the Netmarble edition's.
void WriteOriginals(const fs::path& folder, long games) {
  std::vector<StreamRecord> records;
  for (long i = 0; i < games; ++i) records.push_back(CafeGame(i));
  records.push_back(GameRecord({{"Game", Ko("서든어택")}, {"MPath", kMPath}, {"Prog", "sa.exe"}}));
  WriteFile(folder / "Game.dat", WriteGameCatalogue(records));
  WriteFile(folder / "empty.dat", "");
  // The standard signatures inside data that stored members keep as they are.
  static const char kNote[] = "PK\3\4 PK\1\2 PK\7\x08 PK\5\6 signatures in a note\r\n";
  WriteFile(folder / "notes.txt", std::string(kNote, sizeof kNote - 1));
  std::string noise(size_t(games) * 100 + 100, '\0');
  uint32_t x = 2463534242u;
  for (char& c : noise) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    c = char(x);
  }
  WriteFile(folder / "noise.bin", noise);
}

// Python's zipfile: argv[1] is "stored", "deflated", "zip64" (deflated, every
// member with zip64 values), "stream" (the same, written to a pipe, so with
// data descriptors) or "empty" (only a deflated, empty "Game.dat").
const char kPython[] = R"(python3 - "$1" <<'PY'
import sys, zipfile
mode = sys.argv[1]
method = zipfile.ZIP_STORED if mode == "stored" else zipfile.ZIP_DEFLATED
class Unseekable:
    def __init__(self, f): self.f = f
    def write(self, b): return self.f.write(b)
    def flush(self): self.f.flush()
target = open("out.zip", "wb")
with zipfile.ZipFile(target if mode != "stream" else Unseekable(target), "w") as z:
    names = ["Game.dat", "empty.dat", "notes.txt", "noise.bin"]
    for name, original in [("Game.dat", "empty.dat")] if mode == "empty" else zip(names, names):
        info = zipfile.ZipInfo(name)
        info.compress_type = method
        with open(original, "rb") as f, z.open(info, "w", force_zip64=mode in ("zip64", "stream")) as w:
            w.write(f.read())
PY
)";

std::string Python(const std::string& mode) { return "set -- " + mode + "; " + kPython; }

// The Info-ZIP and 7-Zip scripts read these files.
const char kFiles[] = " Game.dat empty.dat notes.txt noise.bin";

struct Producer {
  std::string name;
  std::string script;    // writes out.zip beside the originals
  uint16_t game_method;  // what the first member must be packed with
  // Archived name and original, the table stream (or what stands in for it)
  // first; every file in the folder unless given.
  std::vector<std::pair<std::string, std::string>> members;
};

std::vector<Producer> Producers() {
  const std::string zip = "zip -q -X ";
  const std::string sevenzip = "7zz a -tzip -bso0 -bsp0 ";
  // 7-Zip tests what it wrote, so a refused member is known to be sound.
  const std::string test = " && 7zz t -bso0 -bsp0 out.zip";
  return {
      {"infozip-store", zip + "-0 out.zip" + kFiles, 0, {}},
      {"infozip-level1", zip + "-1 out.zip" + kFiles, 8, {}},
      {"infozip-level6", zip + "-6 out.zip" + kFiles, 8, {}},
      {"infozip-level9", zip + "-9 out.zip" + kFiles, 8, {}},
      {"infozip-descriptors", zip + "-fd out.zip" + kFiles, 8, {}},
      {"infozip-pipe", "zip -q - - <Game.dat | cat >out.zip", 8, {{"-", "Game.dat"}}},
      {"infozip-zip64", zip + "-fz out.zip" + kFiles, 8, {}},
      {"infozip-encrypted", zip + "-P secret out.zip" + kFiles, 8, {}},
      {"7zip-aes", sevenzip + "-psecret -mem=AES256 out.zip" + kFiles, 99, {}},
      {"7zip-utf8", sevenzip + "-mcu=on -mx=1 out.zip" + kFiles, 8, {}},
      {"infozip-comment",
       "printf 'Cafe catalogue PK\\005\\006 and twenty more bytes after it' | " + zip +
           "-z out.zip" + kFiles,
       8,
       {}},
      {"python-stored", Python("stored"), 0, {}},
      {"python-deflated", Python("deflated"), 8, {}},
      {"python-zip64", Python("zip64"), 8, {}},
      {"python-stream", Python("stream"), 8, {}},
      {"python-empty", Python("empty"), 8, {{"Game.dat", "empty.dat"}}},
      {"7zip-deflate", sevenzip + "-mm=Deflate -mx=9 out.zip" + kFiles, 8, {}},
      {"7zip-stream",
       sevenzip + "-siGame.dat -so x.zip <Game.dat | cat >out.zip",
       8,
       {{"Game.dat", "Game.dat"}}},
      {"7zip-deflate64", sevenzip + "-mm=Deflate64 out.zip" + kFiles + test, 9, {}},
      {"7zip-bzip2", sevenzip + "-mm=BZip2 out.zip" + kFiles + test, 12, {}},
      {"7zip-lzma", sevenzip + "-mm=LZMA out.zip" + kFiles + test, 14, {}},
      {"7zip-ppmd", sevenzip + "-mm=PPMd out.zip" + kFiles + test, 98, {}},
  };
}

const TZipEntry* Entry(const TUnZipper& unzipper, const std::string& name) {
  const TSortedEntries* directory = unzipper.Directory();
  for (size_t i = 0; directory && i < directory->Count(); ++i) {
    if ((*directory)[i].FullName() == name) return &(*directory)[i];
  }
  return nullptr;
}

// Extracts every member of the converted archive and holds it to its
// original, or finds it refused (a method the reader does not know) or
// skipped (encrypted); the table stream also goes through the locator's lookup.
void CheckArchive(const fs::path& folder, const Producer& p, const std::string& catalogue) {
  std::vector<std::pair<std::string, std::string>> members = p.members;
  if (members.empty()) {
    for (const char* name : {"Game.dat", "empty.dat", "notes.txt", "noise.bin"}) {
      members.push_back({name, name});
    }
  }
  for (const auto& [name, original_name] : members) {
    SCOPED_TRACE(name);
    const std::string original = FileBytes(folder / original_name);
    ArchiveFixture f;
    f.Put(catalogue);
    MemoryStream stream;
    const int verified = f.Extract(&stream, name);
    const TZipEntry* entry = Entry(f.unzipper, name);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(f.unzipper.Directory()->Count(), members.size());
    if (name == members.front().first) {
      EXPECT_EQ(entry->method, p.game_method);
    }
    if (entry->flags & zip::kFlagEncrypted) {
      // Skipped: nothing verified, the target untouched, nothing shown.
      EXPECT_EQ(verified, 0);
      EXPECT_EQ(stream.Size(), 0u);
      EXPECT_TRUE(f.sim.dialogs.shown.empty());
    } else if (entry->method == 0 || entry->method == 8) {
      EXPECT_EQ(verified, 1);
      EXPECT_TRUE(stream.Bytes() == original) << stream.Size() << " bytes, not " << original.size();
      EXPECT_TRUE(f.sim.dialogs.shown.empty());
    } else {
      // Refused: the box, nothing verified, the target sized to the member.
      EXPECT_EQ(verified, 0);
      EXPECT_EQ(stream.Size(), original.size());
      EXPECT_EQ(f.sim.dialogs.shown,
                std::vector<std::string>{"system Zip Error|Unknown Compression Method"});
    }
    if (name == "Game.dat" && verified == 1) {
      CatalogueComponentLookup lookup({f.sim.files, f.sim.dialogs});
      Candidates candidates;
      EXPECT_EQ(lookup.LookUp(kCatalogue, Ko("서든어택"), candidates),
                original.empty() ? CatalogueComponentLookup::Outcome::kEmptyMember
                                 : CatalogueComponentLookup::Outcome::kFound);
      EXPECT_EQ(candidates.F1, original.empty() ? "" : kMPath);
    }
  }
}

TEST(RealToolArchives, EveryProducerAndOption) {
  const char* seeds = std::getenv("VARNETT_REAL_SEEDS");
  for (const long games : {2L, 400L}) {
    for (const Producer& p : Producers()) {
      SCOPED_TRACE(p.name + ", " + std::to_string(games) + " filler games");
      ScratchFolder folder;
      ASSERT_FALSE(folder.path.empty());
      WriteOriginals(folder.path, games);
      if (!RunScript(folder.path, p.script)) continue;
      std::string catalogue = FileBytes(folder.path / "out.zip");
      ASSERT_TRUE(RewriteSignatures(&catalogue));
      CheckArchive(folder.path, p, catalogue);
      if (seeds && games == 2L) WriteFile(fs::path(seeds) / ("real-" + p.name), catalogue);
    }
  }
}

}  // namespace
}  // namespace varnett

#else

TEST(RealToolArchives, EveryProducerAndOption) {
  GTEST_SKIP() << "the real tools (Info-ZIP zip, Python, 7-Zip) are run by the native build only";
}

#endif
