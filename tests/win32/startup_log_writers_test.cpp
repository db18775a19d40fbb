// Start-up logs on the real file system: many writers at the same moment,
// as copies of the program started together are, and other programs holding
// the log open meanwhile, as log viewers, backup tools and virus scanners do.
// Every line of every writer must be in the file afterwards, each writer's
// lines in its own order, and a holder may cost a start only a little time.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "log/startup_log.h"
#include "platform/win32/machine_turn.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/win32/build_folder.h"
#include "tests/support/win32/temp_folder.h"
#include "tests/support/win32/test_process.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

constexpr char kStarted[] = "]  LOG Started *******************************";

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream all(FileBytes(Wide(path)));
  while (std::getline(all, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Every writer's two start lines and its `extra` lines "writer W line N",
// N in order, nothing else lost or torn.
void ExpectEveryLine(const std::string& path, int writers, int extra) {
  std::vector<std::string> lines = Lines(path);
  EXPECT_EQ(lines.size(), static_cast<size_t>(writers * (2 + extra)));
  int started = 0;
  std::map<std::string, int> next;  // writer -> its next expected line number
  for (const std::string& line : lines) {
    EXPECT_EQ(line.rfind(" [", 0), 0u) << line;
    if (line.find(kStarted) != std::string::npos) ++started;
    size_t at = line.find("] writer ");
    if (at == std::string::npos) continue;
    std::istringstream words(line.substr(at + 9));
    std::string writer, word;
    int number = -1;
    words >> writer >> word >> number;
    EXPECT_EQ(number, next[writer]) << line;
    next[writer] = number + 1;
  }
  EXPECT_EQ(started, writers);
  ASSERT_EQ(next.size(), static_cast<size_t>(writers));
  for (const auto& [writer, count] : next) EXPECT_EQ(count, extra) << writer;
}

std::string TodaysLog(const std::string& exe) {
  Win32Clock clock;
  return StartupLogPath(exe, clock.Today());
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

TEST(StartupLogWriters, SimultaneousWritersInOneProcessKeepEveryLine) {
  constexpr int kRounds = 10;
  constexpr int kWritersPerRound = 2;
  constexpr int kExtraLines = 20;  // widens the moment in which the writers meet
  support::TempFolder folder(L"varnett_writers_");
  const std::string exe = Narrow(folder.path()) + "\\Varnett.exe";
  std::string path;
  for (int round = 0; round < kRounds; ++round) {
    std::atomic<int> ready{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < kWritersPerRound; ++w) {
      writers.emplace_back([&, round, w] {
        Win32FileSystem files;
        Win32Clock clock;
        StartupLog log(files, clock);
        // All writers start at the same moment.
        ready.fetch_add(1);
        while (ready.load() < kWritersPerRound) {
        }
        log.Prepare(exe);
        for (int i = 0; i < kExtraLines; ++i)
          log.Write("writer " + std::to_string(round) + "." + std::to_string(w) + " line " +
                    std::to_string(i));
      });
    }
    for (std::thread& t : writers) t.join();
    if (round == 0) path = TodaysLog(exe);
  }
  ExpectEveryLine(path, kRounds * kWritersPerRound, kExtraLines);
}

// Copies of the program are separate processes: under Wine their appends
// overwrite each other unless they take turns.
TEST(StartupLogWriters, ConcurrentStartsInSeveralProcessesKeepEveryLine) {
  constexpr int kProcesses = 6;
  constexpr int kExtraLines = 500;
  support::TempFolder folder(L"varnett_starts_");
  const std::string exe = Narrow(folder.path()) + "\\Varnett.exe";
  const std::wstring event_name = L"varnett_log_start_" + std::to_wstring(GetCurrentProcessId());
  ScopedHandle start(CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
  ASSERT_TRUE(start);

  const std::wstring tool = support::BuildFolder() + L"\\wintools\\log_writer.exe";
  std::vector<ScopedHandle> processes;
  for (int i = 0; i < kProcesses; ++i) {
    std::wstring command = L"\"" + tool + L"\" \"" + Wide(exe) + L"\" " + event_name + L" " +
                           std::to_wstring(kExtraLines);
    const support::TestStart started = support::StartForTest(tool, command);
    ASSERT_TRUE(started.started) << started.error;
    CloseHandle(started.process.hThread);
    processes.emplace_back(started.process.hProcess);
  }
  const auto began = std::chrono::steady_clock::now();
  SetEvent(start.get());
  std::vector<HANDLE> waits;
  for (const ScopedHandle& p : processes) waits.push_back(p.get());
  const DWORD done =
      WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), TRUE, 120000);
  const double ms = MillisecondsSince(began);
  if (done == WAIT_TIMEOUT) {
    for (HANDLE p : waits) TerminateProcess(p, 1);
  }
  ASSERT_NE(done, WAIT_TIMEOUT) << "the writers did not finish";
  for (HANDLE p : waits) {
    DWORD code = 1;
    GetExitCodeProcess(p, &code);
    EXPECT_EQ(code, 0u);
  }
  std::printf("[ figures  ] %d processes x %d lines appended in %.0f ms\n", kProcesses,
              kExtraLines + 2, ms);
  ExpectEveryLine(TodaysLog(exe), kProcesses, kExtraLines);
}

// A log that holds an earlier start's line, with folders made.
std::string LogWithAnEarlierStart(const std::string& exe) {
  const std::string path = TodaysLog(exe);
  Win32FileSystem files;
  files.CreateFolders(path.substr(0, path.rfind('\\')));
  uint32_t no_patience = 0;
  EXPECT_EQ(files.AppendLine(path, "an earlier start", no_patience), AppendResult::kWritten);
  return path;
}

ScopedHandle Hold(const std::string& path, DWORD access, DWORD share) {
  return ScopedHandle(CreateFileW(Wide(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// One copy's start-up log on the real system, its start timed.
struct TimedLog {
  Win32FileSystem files;
  Win32Clock clock;
  StartupLog log{files, clock};

  double Prepare(const std::string& exe) {
    const auto began = std::chrono::steady_clock::now();
    log.Prepare(exe);
    return MillisecondsSince(began);
  }
};

// A log viewer shares everything: the start neither waits for it nor loses
// a line, and the viewer sees the lines come in.
TEST(StartupLogWriters, ReaderSharingEverythingNeitherDelaysNorLosesLines) {
  support::TempFolder folder(L"varnett_viewer_");
  const std::string exe = Narrow(folder.path()) + "\\Varnett.exe";
  const std::string path = LogWithAnEarlierStart(exe);
  ScopedHandle viewer =
      Hold(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  ASSERT_TRUE(viewer);

  const double ms = TimedLog().Prepare(exe);
  std::printf("[ figures  ] start with a share-all reader holding the log: %.1f ms\n", ms);
  EXPECT_LT(ms, 1000.0);
  std::vector<std::string> lines = Lines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "an earlier start");
  EXPECT_NE(lines[2].find(kStarted), std::string::npos) << lines[2];
  LARGE_INTEGER seen;
  ASSERT_TRUE(GetFileSizeEx(viewer.get(), &seen));
  EXPECT_EQ(static_cast<size_t>(seen.QuadPart), FileBytes(Wide(path)).size());
}

// A holder that denies writing to others costs the start at most the log's
// patience (checked with room for a loaded machine); the start then goes on
// without its lines, the log keeps what it had, and a later line gets in
// once the holder has let go.
TEST(StartupLogWriters, HolderDenyingWritesCostsAStartAtMostItsPatience) {
  struct Holder {
    const char* name;
    DWORD access, share;
  } holders[] = {
      {"exclusive", GENERIC_READ | GENERIC_WRITE, 0},
      {"reader denying writes", GENERIC_READ, FILE_SHARE_READ},
  };
  for (const Holder& holder : holders) {
    SCOPED_TRACE(holder.name);
    support::TempFolder folder(L"varnett_holder_");
    const std::string exe = Narrow(folder.path()) + "\\Varnett.exe";
    const std::string path = LogWithAnEarlierStart(exe);
    ScopedHandle held = Hold(path, holder.access, holder.share);
    ASSERT_TRUE(held);

    TimedLog start;
    const double ms = start.Prepare(exe);
    std::printf("[ figures  ] start with the log held (%s): %.1f ms\n", holder.name, ms);
    EXPECT_LT(ms, StartupLog::kPatienceMs + 400.0);

    held.Reset();
    start.log.Write("after the holder let go");
    EXPECT_EQ(FileBytes(Wide(path)), "an earlier start\r\n" + Lines(path).back() + "\r\n");
    EXPECT_NE(Lines(path).back().find("] after the holder let go"), std::string::npos);
  }
}

// Any program of any user can take the copies' turn (a named mutex in the
// machine-wide namespace). One that keeps it, or takes and lets go of it
// just under every budget, still costs a start no line and at most the
// budget in all (checked with room for a loaded machine).
TEST(StartupLogWriters, ProgramHoldingTheTurnCostsNoLineAndAtMostTheBudget) {
  struct Holder {
    const char* name;
    DWORD hold_ms;  // each time it has the turn; INFINITE: until the test ends
  } holders[] = {
      {"keeps the turn", INFINITE},
      {"takes it every 480 ms", 480},
  };
  for (const Holder& holder : holders) {
    SCOPED_TRACE(holder.name);
    support::TempFolder folder(L"varnett_turn_");
    const std::string exe = Narrow(folder.path()) + "\\Varnett.exe";
    const std::string path = LogWithAnEarlierStart(exe);
    std::atomic<bool> stop{false}, holding{false};
    // A mutex belongs to a thread: the holder is a thread of its own.
    std::thread other([&] {
      while (!stop) {
        MachineTurn turn = TakeMachineTurn(L"Varnett.FileAppend", 0);
        if (turn.wait != TurnWait::kTaken) {
          Sleep(1);
          continue;
        }
        holding = true;
        for (DWORD held = 0; !stop && (holder.hold_ms == INFINITE || held < holder.hold_ms);
             held += 10)
          Sleep(10);
        turn.held.Reset();  // and at once tries to take it again
      }
    });
    while (!holding) Sleep(1);

    const double ms = TimedLog().Prepare(exe);
    stop = true;
    other.join();
    std::printf("[ figures  ] start with another program on the turn (%s): %.1f ms\n", holder.name,
                ms);
    EXPECT_LT(ms, StartupLog::kPatienceMs + 400.0);
    std::vector<std::string> lines = Lines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "an earlier start");
    EXPECT_NE(lines[2].find(kStarted), std::string::npos) << lines[2];
  }
}

}  // namespace
}  // namespace varnett
