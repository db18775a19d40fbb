// Start-up logs written at the same moment to one file on the real file
// system: every writer is a log object of its own, as two copies of the
// program started together would be, and every line of every writer must be
// in the file afterwards, each writer's lines in its own order.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "log/startup_log.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "tests/support/file_bytes.h"
#include "tests/support/win32/temp_folder.h"
#include "text/win32/wide.h"

namespace varnett {
namespace {

constexpr int kRounds = 10;
constexpr int kWritersPerRound = 2;
constexpr int kExtraLines = 20;  // widens the moment in which the writers meet

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

TEST(StartupLogWriters, SimultaneousWritersKeepEveryLine) {
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
    if (round == 0) {
      Win32Clock clock;
      path = StartupLogPath(exe, clock.Today());
    }
  }

  std::vector<std::string> lines = Lines(path);
  EXPECT_EQ(lines.size(), static_cast<size_t>(kRounds * kWritersPerRound * (2 + kExtraLines)));
  int started = 0;
  std::map<std::string, int> next;  // writer -> its next expected line number
  for (const std::string& line : lines) {
    if (line.find("]  LOG Started ****") != std::string::npos) ++started;
    size_t at = line.find("] writer ");
    if (at == std::string::npos) continue;
    std::istringstream words(line.substr(at + 9));
    std::string writer, word;
    int number = -1;
    words >> writer >> word >> number;
    EXPECT_EQ(number, next[writer]) << line;
    next[writer] = number + 1;
  }
  EXPECT_EQ(started, kRounds * kWritersPerRound);
  ASSERT_EQ(next.size(), static_cast<size_t>(kRounds * kWritersPerRound));
  for (const auto& [writer, count] : next) EXPECT_EQ(count, kExtraLines) << writer;
}

}  // namespace
}  // namespace varnett
