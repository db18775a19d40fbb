// Loading a catalogue of 100,000 records into the game table, beside a plain
// copy of the same bytes, and what a loaded record costs on the heap.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "catalogue/game_table.h"
#include "tools/writer/cafe_games.h"
#include "tools/writer/catalogue_writer.h"

// Heap accounting: bytes in use (usable size plus the allocator's 8-byte
// chunk header) and the peak since the last reset.
namespace {
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void Count(void* p) {
  long long now = g_live += static_cast<long long>(malloc_usable_size(p) + 8);
  long long peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

void* operator new(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  Count(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  g_live -= static_cast<long long>(malloc_usable_size(p) + 8);
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace varnett {
namespace {

constexpr int kRecords = 100000;

struct Catalogue {
  std::string bytes;
  size_t text_bytes = 0;  // CP949 bytes of all values as stored
};

const Catalogue& MakeCatalogue() {
  static const Catalogue* catalogue = [] {
    std::vector<StreamRecord> records;
    records.reserve(kRecords);
    auto* c = new Catalogue;
    for (int i = 0; i < kRecords; ++i) {
      records.push_back(CafeGame(i));
      for (const StreamCell& v : records.back().versions[0].values) {
        if (auto* s = std::get_if<std::string>(&v)) c->text_bytes += s->size();
      }
    }
    c->bytes = WriteGameCatalogue(records);
    return c;
  }();
  return *catalogue;
}

void BM_LoadCatalogue(benchmark::State& state) {
  const Catalogue& c = MakeCatalogue();
  GameCatalogue table;
  MemoryStream stream(c.bytes);
  long long heap_peak = 0;
  for (auto _ : state) {
    table.table.ClearRecords();
    stream.Seek(0);
    long long before = g_live.load();
    g_peak = before;
    table.table.LoadRecordsFromStream(stream);
    heap_peak = g_peak.load() - before;
    benchmark::DoNotOptimize(table.table.RecordCount());
  }
  if (table.table.RecordCount() != kRecords) state.SkipWithError("wrong record count");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.bytes.size()));
  state.SetItemsProcessed(state.iterations() * kRecords);
  double text = static_cast<double>(c.text_bytes) / kRecords;
  state.counters["stream_bytes_per_record"] = static_cast<double>(c.bytes.size()) / kRecords;
  state.counters["text_bytes_per_record"] = text;
  state.counters["heap_peak_per_record"] = static_cast<double>(heap_peak) / kRecords;
  state.counters["budget_per_record"] = 2 * text + 64;
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_PlainCopy(benchmark::State& state) {
  const Catalogue& c = MakeCatalogue();
  std::string copy(c.bytes.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), c.bytes.data(), c.bytes.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.bytes.size()));
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnett

BENCHMARK_MAIN();
