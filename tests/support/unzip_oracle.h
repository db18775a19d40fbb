// Info-ZIP's unzip and 7-Zip as independent decoders: an archive with the
// standard signatures goes to a scratch file, `unzip -p` or `7zz e -so`
// prints its members, and the printed bytes and exit status come back.
// POSIX only (the native build's tests and fuzz targets); the programs must
// be on the PATH.
#pragma once

#ifndef _WIN32

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

extern char** environ;

namespace varnett {

struct UnzipResult {
  bool ran = false;  // false: unzip could not be started
  int status = -1;   // its exit status
  std::string output;
  std::string messages;  // what it wrote to its standard error

  // It read the member to its end without finding the data damaged: all
  // well, or nothing to say but that the CRC-32 of the bytes differs (unzip
  // only).
  bool Decoded() const {
    if (status == 0) return true;
    return status == 2 && messages.find("bad CRC") != std::string::npos &&
           messages.find("error") == std::string::npos &&
           messages.find("warning") == std::string::npos;
  }
};

// Runs `program` with `options` and the scratch file's path.
inline UnzipResult PrintMembers(const char* program, std::initializer_list<const char*> options,
                                const std::string& zip) {
  UnzipResult result;
  // Shared memory when the system has it: the fuzz targets call this often.
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string path = std::string(dir) + "/varnett-unzip-XXXXXX";
  const int fd = mkstemp(&path[0]);
  if (fd < 0) return result;
  bool written = write(fd, zip.data(), zip.size()) == ssize_t(zip.size());
  close(fd);
  int out[2];
  if (!written || pipe(out) != 0) {
    unlink(path.c_str());
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  const std::string errors = path + ".err";
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv{const_cast<char*>(program)};
  for (const char* option : options) argv.push_back(const_cast<char*>(option));
  argv.push_back(&path[0]);
  argv.push_back(nullptr);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned == 0) {
    char buffer[65536];
    ssize_t n;
    // A signal (libFuzzer's timer among them) may interrupt either call;
    // stopping there would read a complete run as an empty one.
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
  unlink(path.c_str());
  return result;
}

inline UnzipResult UnzipPrint(const std::string& zip) { return PrintMembers("unzip", {"-p"}, zip); }

// 7-Zip exits with 0 only when every member decoded and its CRC-32 matched.
inline UnzipResult SevenZipPrint(const std::string& zip) {
  return PrintMembers("7zz", {"e", "-so", "-tzip", "-bd", "-y"}, zip);
}

}  // namespace varnett

#endif
