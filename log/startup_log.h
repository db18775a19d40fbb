// The dated start-up log beside the program: every start appends two lines
// to Log\YYYY\MM\YYYYMMDD_<name>.log in the program's folder.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace varnett {

// The log file's path for a program file `exe_path` started on `date`.
std::string StartupLogPath(const std::string& exe_path, LocalDate date);

class StartupLog {
 public:
  static constexpr uint32_t kPatienceMs = 500;

  StartupLog(FileSystem& files, Calendar& clock) : files_(files), clock_(clock) {}

  // Builds the path, creates its folders and writes the two start lines.
  // A folder or file that cannot be made leaves the log silent; the program
  // goes on either way. Other programs cost the start at most kPatienceMs in
  // all: one that holds the copies' turn costs no line (past the budget the
  // lines go in without it), and only a file held without sharing writes
  // past the budget keeps the lines out.
  void Prepare(const std::string& exe_path);
  // Appends " [date time] message", waiting at most kPatienceMs for it.
  // Does nothing before Prepare.
  void Write(const std::string& message);

  const std::string& path() const { return path_; }

 private:
  // Spends what it waits from `patience_ms`.
  void WriteLocked(const std::string& message, uint32_t& patience_ms);

  FileSystem& files_;
  Calendar& clock_;
  std::mutex lock_;
  std::string path_;
  bool enabled_ = false;
};

}  // namespace varnett
