// Table load beside memcpy on the same bytes: loads a table stream file into
// the game table and copies it, each several times, and prints the best
// times and what the loaded table holds, as
//   bytes load_seconds memcpy_seconds table_bytes_held records
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "catalogue/game_table.h"
#include "catalogue/memory_stream.h"

namespace {

template <typename F>
double Best(int runs, F&& f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    f();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace varnett;
  if (argc != 2) {
    std::fprintf(stderr, "usage: table_load STREAM\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  MemoryStream stream(std::string((std::istreambuf_iterator<char>(in)), {}));
  const int runs = stream.Size() > (64u << 20) ? 3 : 10;
  GameCatalogue catalogue;
  TMemTable& table = catalogue.table;
  const double load = Best(runs, [&] {
    table.ClearRecords();
    stream.Seek(0);
    table.LoadRecordsFromStream(stream);
  });
  // The copy into memory that is already there, as a load's bytes are.
  std::string copy(stream.Size(), '\0');
  const double copying = Best(runs, [&] {
    std::memcpy(&copy[0], stream.Data(), stream.Size());
    asm volatile("" : : "r"(copy.data()) : "memory");
  });
  std::printf("%zu %.6f %.6f %zu %zu\n", stream.Size(), load, copying, table.BytesHeld(),
              table.RecordCount());
  return 0;
}
