// Runs a program to its end and hands back its exit status, what it printed
// and what it wrote to its standard error; its standard input comes from a
// scratch file holding `input`, or is empty. POSIX only (the native build's tests and fuzz
// targets, which use real tools as oracles); the program is looked up on the
// PATH.
#pragma once

#ifndef _WIN32

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace varnett {

struct CommandResult {
  bool ran = false;  // false: the program could not be started
  int status = -1;   // its exit status
  std::string output;
  std::string messages;  // what it wrote to its standard error
};

// A scratch file holding `bytes`: in shared memory when the system has it,
// since the fuzz targets write one for every run. "" when it cannot be made.
inline std::string ScratchFile(const std::string& bytes, const char* stem = "varnett") {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string path = std::string(dir) + "/" + stem + "-XXXXXX";
  const int fd = mkstemp(&path[0]);
  if (fd < 0) return "";
  const bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
  close(fd);
  if (!written) {
    unlink(path.c_str());
    return "";
  }
  return path;
}

inline CommandResult RunCommand(const std::vector<std::string>& args,
                                const std::string& input = "") {
  CommandResult result;
  const std::string in = input.empty() ? "" : ScratchFile(input, "varnett-in");
  const std::string errors = ScratchFile("", "varnett-err");
  int out[2] = {-1, -1};
  if (args.empty() || (in.empty() && !input.empty()) || errors.empty() || pipe(out) != 0) {
    if (!in.empty()) unlink(in.c_str());
    if (!errors.empty()) unlink(errors.c_str());
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.empty() ? "/dev/null" : in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_TRUNC, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned == 0) {
    char buffer[65536];
    ssize_t n;
    // A signal (libFuzzer's timer among them) may interrupt either call;
    // stopping there would read a complete run as a shorter one.
    while ((n = read(out[0], buffer, sizeof buffer)) != 0) {
      if (n > 0) {
        result.output.append(buffer, size_t(n));
      } else if (errno != EINTR) {
        break;
      }
    }
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (waited == pid && WIFEXITED(status)) {
      result.status = WEXITSTATUS(status);
      // posix_spawnp reports a missing program as exit status 127 of the child.
      result.ran = result.status != 127;
    }
  }
  close(out[0]);
  if (FILE* f = std::fopen(errors.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) result.messages.append(buffer, n);
    std::fclose(f);
  }
  unlink(errors.c_str());
  if (!in.empty()) unlink(in.c_str());
  return result;
}

}  // namespace varnett

#endif
