// The catalogue lookup over an archive whose "Game.dat" holds 100,000 deflated
// records: the whole lookup (extract, load, scan), the extraction alone, and
// zlib inflating the same member alone, each with its peak heap use; and
// Info-ZIP's `unzip -p` on the same archive with standard signatures.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <sys/resource.h>
#include <zlib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "catalogue/crc32.h"
#include "catalogue/deflate_scan.h"
#include "catalogue/game_table.h"
#include "catalogue/memory_stream.h"
#include "catalogue/unzipper.h"
#include "platform/sim/sim_platform.h"
#include "text/conversions.h"
#include "tools/writer/archive_writer.h"
#include "tools/writer/catalogue_writer.h"

// Heap accounting: every operator new of the process, current and peak.
namespace {
std::atomic<size_t> g_current{0}, g_peak{0};
void Count(size_t n) {
  size_t now = g_current += n;
  size_t peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

void* operator new(size_t n) {
  void* p = std::malloc(n + 16);
  if (!p) throw std::bad_alloc();
  *static_cast<size_t*>(p) = n;
  Count(n);
  return static_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  char* base = static_cast<char*>(p) - 16;
  g_current -= *reinterpret_cast<size_t*>(base);
  std::free(base);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace varnett {
namespace {

constexpr char kPath[] = "D:\\PLX\\GameData\\GPData.nif";
constexpr int kRecords = 100000;

struct Fixture {
  std::string member;      // the table stream
  std::string compressed;  // its raw deflate data
  std::string archive;     // catalogue signatures
  // Both archives on disk too, for comparing command-line tools.
  std::string standard_path = "/tmp/varnett_archive_bench.zip";
  std::string catalogue_path = "/tmp/varnett_archive_bench.nif";
  std::string key = Ko("넥슨서든어택");

  Fixture() {
    std::vector<StreamRecord> records;
    records.reserve(kRecords);
    const std::string names[] = {Ko("카트라이더"), Ko("메이플스토리"), Ko("리그 오브 레전드"),
                                 Ko("배틀그라운드"), Ko("피파 온라인")};
    for (int i = 0; i < kRecords; ++i) {
      // The edition's record last: the scan reads every record before it.
      std::string game = i == kRecords - 1 ? key : names[i % 5] + " " + std::to_string(i);
      std::string dir = "D:\\Games\\" + std::to_string(i % 977) + "\\" + std::to_string(i);
      records.push_back(GameRecord({{"Game", game},
                                    {"MPath", dir},
                                    {"DPath", "C:\\Program Files\\" + std::to_string(i)},
                                    {"InsRPath", "SOFTWARE\\Games\\" + std::to_string(i)},
                                    {"PRPath", "SOFTWARE\\Nexon\\" + std::to_string(i)}}));
    }
    member = WriteGameCatalogue(records);
    ArchiveMember m;
    m.name = "Game.dat";
    m.data = member;
    m.method = 8;
    compressed = DeflateRaw(member);
    m.compressed = compressed;
    archive = WriteArchive({m});
    ArchiveOptions standard;
    standard.standard_signatures = true;
    std::ofstream(standard_path, std::ios::binary) << WriteArchive({m}, standard);
    std::ofstream(catalogue_path, std::ios::binary) << archive;
  }
};

Fixture& Data() {
  static Fixture* f = new Fixture;
  return *f;
}

void ReportPeak(benchmark::State& state, size_t before) {
  state.counters["peak_MiB"] = double(g_peak.load() - before) / (1 << 20);
  state.counters["peak_x_member"] = double(g_peak.load() - before) / Data().member.size();
  state.counters["member_MiB"] = double(Data().member.size()) / (1 << 20);
}

void BM_Lookup(benchmark::State& state) {
  Fixture& d = Data();
  SimPlatform sim;
  sim.files.AddFile(kPath, d.archive);
  size_t before = 0;
  for (auto _ : state) {
    before = g_current.load();
    g_peak = before;
    // Table and reader inside the loop, so that the peak counts all they hold.
    GameCatalogue catalogue;
    TUnZipper zipper({sim.files, sim.dialogs});
    zipper.SetZipName(kPath);
    MemoryStream stream;
    zipper.ExtractToStream(&stream, "Game.dat");
    std::string mpath;
    if (stream.Size() > 0) {
      stream.Seek(0);
      catalogue.table.ClearRecords();
      catalogue.table.LoadRecordsFromStream(stream);
      TMemTable& t = catalogue.table;
      for (t.MoveFirst(); !t.AtEnd(); t.MoveNext()) {
        if (t.AsText(t.FieldNamed("Game")) == d.key) {
          mpath = t.AsText(t.FieldNamed("MPath"));
          break;
        }
      }
    }
    zipper.CloseArchive();
    if (mpath.empty()) state.SkipWithError("no record");
    benchmark::DoNotOptimize(mpath);
  }
  ReportPeak(state, before);
}

// state.range(0): 1 with the whole-member decoding (libdeflate), 0 through
// the exact decoder only (zlib in 32 KiB chunks).
void BM_Extract(benchmark::State& state) {
  Fixture& d = Data();
  SimPlatform sim;
  sim.files.AddFile(kPath, d.archive);
  TUnZipper zipper({sim.files, sim.dialogs});
  zipper.whole_members = state.range(0) != 0;
  size_t before = 0;
  for (auto _ : state) {
    before = g_current.load();
    g_peak = before;
    zipper.SetZipName(kPath);
    MemoryStream stream;
    if (zipper.ExtractToStream(&stream, "Game.dat") != 1) state.SkipWithError("not verified");
    zipper.CloseArchive();
    benchmark::DoNotOptimize(stream.Data());
  }
  ReportPeak(state, before);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

// zlib alone: the same member inflated into a buffer of its size.
void BM_BareInflate(benchmark::State& state) {
  Fixture& d = Data();
  size_t before = 0;
  for (auto _ : state) {
    before = g_current.load();
    g_peak = before;
    std::string out(d.member.size(), '\0');
    z_stream z{};
    inflateInit2(&z, -MAX_WBITS);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(d.compressed.data()));
    z.avail_in = uInt(d.compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("inflate");
    inflateEnd(&z);
    benchmark::DoNotOptimize(out.data());
  }
  ReportPeak(state, before);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

// The CRC-32 of the member alone: what the second core could take off the
// whole-member decoding at most.
void BM_Crc(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state) benchmark::DoNotOptimize(Crc32(d.member.data(), d.member.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

// libdeflate alone into one buffer, and the scan that runs beside it (zlib's
// rules over the same stream, nothing written): the whole-member decoding
// takes about the longer of the two on two cores.
void BM_Libdeflate(benchmark::State& state) {
  Fixture& d = Data();
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  std::string out(d.member.size(), '\0');
  for (auto _ : state) {
    if (libdeflate_deflate_decompress(decompressor, d.compressed.data(), d.compressed.size(),
                                      &out[0], out.size(), nullptr) != LIBDEFLATE_SUCCESS) {
      state.SkipWithError("libdeflate");
    }
    benchmark::DoNotOptimize(out.data());
  }
  libdeflate_free_decompressor(decompressor);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

void BM_Scan(benchmark::State& state) {
  Fixture& d = Data();
  for (auto _ : state) {
    if (!DeflateStreamIsStrict(reinterpret_cast<const uint8_t*>(d.compressed.data()),
                               d.compressed.size(), d.member.size())) {
      state.SkipWithError("scan");
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

// Info-ZIP on the same member, one process per iteration.
void BM_UnzipP(benchmark::State& state) {
  Fixture& d = Data();
  const std::string command = "unzip -p " + d.standard_path + " Game.dat > /dev/null";
  rusage start{}, end{};
  getrusage(RUSAGE_CHILDREN, &start);
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("unzip failed");
  }
  getrusage(RUSAGE_CHILDREN, &end);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  state.counters["child_cpu_ms"] =
      (ms(end.ru_utime) + ms(end.ru_stime) - ms(start.ru_utime) - ms(start.ru_stime)) /
      double(state.iterations());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.member.size()));
}

BENCHMARK(BM_Lookup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libdeflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareInflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnzipP)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnett

BENCHMARK_MAIN();
