// Folders, files and process starts on Linux and other POSIX systems. Programs are started
// without a shell, so paths with blanks or shell characters need no quoting.

#include "run/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace wintarvel {

namespace {

constexpr const char* kViewerProgram = "xdg-open";

// The started program inherits no open files of ours beyond the standard three (and the one
// descriptor `keep`, closed on exec anyway). Runs in a forked child: only async-signal-safe calls.
void closeInheritedFiles(int keep) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  if (keep > 3) close_range(3, static_cast<unsigned>(keep) - 1, 0);
  close_range(static_cast<unsigned>(keep < 3 ? 3 : keep + 1), ~0U, 0);
#else
  (void)keep;  // descriptors opened with close-on-exec are the only protection here
#endif
}

// The full path of a program found on PATH, or empty when there is none to run.
std::string findOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    const std::string candidate = dir + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// The exit code of a child, retrying when a signal interrupts the wait; with WNOHANG, nullopt
// while it still runs.
std::optional<int> waitForExit(pid_t pid, int options) {
  int status = 0;
  pid_t result;
  while ((result = waitpid(pid, &status, options)) < 0) {
    if (errno != EINTR) return -1;  // not our child any more: its code cannot be told
  }
  if (result == 0) return std::nullopt;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

std::string PosixPlatform::currentDir() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

bool PosixPlatform::setCurrentDir(const std::string& dir) {
  if (dir.empty()) return false;
  std::error_code ec;
  std::filesystem::current_path(dir, ec);
  return !ec;
}

// There are no 8.3 aliases here: the short form of an existing path is the path itself, and the
// length limit of the instruction file still applies.
std::size_t PosixPlatform::shortPath(const std::string& path, std::string& shortForm) {
  if (path.empty()) return 0;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return 0;
  if (path.size() < kShortPathCapacity) shortForm = path;
  return path.size();
}

// O_EXCL makes creating and checking one step: an existing file is never opened, so never cut.
void PosixPlatform::createIfMissing(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) close(fd);
}

// A pipe closed on exec tells the parent whether the program really started: a successful exec
// closes it unread, a failed chdir or exec writes the error into it first.
std::optional<pid_t> PosixPlatform::startEngine(const std::string& program,
                                                const std::string& workingDir) {
  int report[2];
  if (pipe(report) != 0) return std::nullopt;
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);
  std::vector<char> programArg(program.begin(), program.end());
  programArg.push_back('\0');
  char* const argv[] = {programArg.data(), nullptr};

  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    closeInheritedFiles(report[1]);
    if (chdir(workingDir.c_str()) == 0) execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const auto written = write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  if (pid < 0) {
    close(report[0]);
    return std::nullopt;
  }
  int error = 0;
  ssize_t got;
  do {
    got = read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  if (got > 0) {  // the child reported that the start failed
    waitForExit(pid, 0);
    return std::nullopt;
  }
  return pid;
}

std::optional<int> PosixPlatform::pollEngine(pid_t pid) {
  return waitForExit(pid, WNOHANG);
}

void PosixPlatform::stopEngine(pid_t pid) {
  kill(pid, SIGKILL);
  waitForExit(pid, 0);
}

// Waits without a time limit.
std::optional<int> PosixPlatform::runEngine(const std::string& program,
                                            const std::string& workingDir) {
  const auto pid = startEngine(program, workingDir);
  if (!pid) return std::nullopt;
  return waitForExit(*pid, 0);
}

// Two forks: the middle process ends at once and is reaped here, so the viewer belongs to init
// and leaves no zombie behind, and nothing waits for the viewer itself. A pipe closed on exec
// tells whether the viewer really started, as for the engine.
bool PosixPlatform::startViewer(const std::string& path) {
  const std::string viewer = findOnPath(kViewerProgram);
  if (viewer.empty()) return false;
  std::vector<char> viewerArg(viewer.begin(), viewer.end());
  viewerArg.push_back('\0');
  std::vector<char> pathArg(path.begin(), path.end());
  pathArg.push_back('\0');
  char* const argv[] = {viewerArg.data(), pathArg.data(), nullptr};
  int report[2];
  if (pipe(report) != 0) return false;
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);

  const pid_t middle = fork();
  if (middle == 0) {
    close(report[0]);
    const pid_t viewerPid = fork();
    if (viewerPid == 0) {
      setsid();
      closeInheritedFiles(report[1]);
      execv(argv[0], argv);
    }
    if (viewerPid <= 0) {
      const int error = errno;
      [[maybe_unused]] const auto written = write(report[1], &error, sizeof error);
      _exit(127);
    }
    _exit(0);
  }
  close(report[1]);
  if (middle > 0) waitForExit(middle, 0);
  int error = 0;
  ssize_t got = -1;
  if (middle > 0) {
    do {
      got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
  }
  close(report[0]);
  return got == 0;  // closed unread: the viewer's program is running
}

}  // namespace wintarvel
