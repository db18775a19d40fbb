#include "log/startup_log.h"

#include <cstdio>

#include "text/cp949.h"

namespace varnett {

std::string StartupLogPath(const std::string& exe_path, LocalDate date) {
  size_t name_start = FileNameStart(exe_path);
  std::string name = exe_path.substr(name_start);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  char dated[64];
  std::snprintf(dated, sizeof dated, "Log\\%04d\\%02d\\%04d%02d%02d_", date.year, date.month,
                date.year, date.month, date.day);
  return exe_path.substr(0, name_start) + dated + name + ".log";
}

void StartupLog::Prepare(const std::string& exe_path) {
  std::lock_guard<std::mutex> guard(lock_);
  path_ = StartupLogPath(exe_path, clock_.Today());
  files_.CreateFolders(path_.substr(0, FileNameStart(path_) - 1));
  enabled_ = true;
  // One budget for the whole start, not one per line.
  uint32_t start_patience_ms = kPatienceMs;
  WriteLocked(" ", start_patience_ms);
  WriteLocked(" LOG Started *******************************", start_patience_ms);
}

void StartupLog::Write(const std::string& message) {
  std::lock_guard<std::mutex> guard(lock_);
  uint32_t patience_ms = kPatienceMs;
  WriteLocked(message, patience_ms);
}

void StartupLog::WriteLocked(const std::string& message, uint32_t& patience_ms) {
  if (!enabled_) return;
  std::string date = clock_.ShortDateText();
  std::string time = clock_.LongTimeText();
  files_.AppendLine(path_, " [" + date + " " + time + "] " + message, patience_ms);
}

}  // namespace varnett
