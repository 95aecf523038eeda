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
#include <fstream>
#include <string>
#include <vector>

namespace wintarvel {

namespace {

constexpr const char* kViewerProgram = "xdg-open";
constexpr const char* kWineProgram = "wine";
constexpr const char* kWinePathProgram = "winepath";

// A Windows program begins with the two bytes "MZ" of its DOS header; a script or an ELF
// program never does.
bool isWindowsProgram(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[2] = {};
  return file.read(magic, sizeof magic) && magic[0] == 'M' && magic[1] == 'Z';
}

std::string wineMissingMessage(const std::string& program) {
  return program +
         " is a Windows program. It runs here through Wine, which is not installed (the programs "
         "\"wine\" and \"winepath\" were not found on PATH).\n\nInstall Wine with \"sudo apt "
         "install wine\", then run Tarvel again.";
}

// Argument texts as execv wants them. The strings must outlive the returned pointers, and both
// are made before a fork: the child may not allocate.
std::vector<char*> argumentPointers(std::vector<std::string>& arguments) {
  std::vector<char*> pointers;
  for (std::string& a : arguments) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  return pointers;
}

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

// Runs a program without a shell and gives the first line it printed, without its line end;
// nullopt when it did not start, failed, or printed nothing. Its input is empty and its error
// output is ours.
std::optional<std::string> firstLineOf(std::vector<std::string> arguments) {
  const std::vector<char*> argv = argumentPointers(arguments);
  int output[2];
  if (pipe(output) != 0) return std::nullopt;
  fcntl(output[0], F_SETFD, FD_CLOEXEC);
  const pid_t pid = fork();
  if (pid == 0) {
    const int nothing = open("/dev/null", O_RDONLY);
    if (nothing >= 0) dup2(nothing, STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    closeInheritedFiles(-1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(output[1]);
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(output[0], buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  close(output[0]);
  if (pid < 0 || waitForExit(pid, 0) != 0) return std::nullopt;
  text = text.substr(0, text.find('\n'));
  if (!text.empty() && text.back() == '\r') text.pop_back();
  if (text.empty()) return std::nullopt;
  return text;
}

bool fileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

// Wine's 8.3 form of an existing path: `winepath -w` names the file as Windows programs see it
// (a drive letter and backslashes), `winepath -s` gives that name's short form, or nothing for
// a file that Wine cannot find.
std::optional<std::string> wineShortForm(const std::string& path) {
  const std::string winepath = findOnPath(kWinePathProgram);
  if (winepath.empty() || !fileExists(path)) return std::nullopt;
  std::error_code error;
  const std::string absolute = std::filesystem::absolute(path, error).string();
  if (error) return std::nullopt;
  const auto windowsName = firstLineOf({winepath, "-w", absolute});
  if (!windowsName) return std::nullopt;
  return firstLineOf({winepath, "-s", *windowsName});
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
  if (!fileExists(path)) return 0;
  if (path.size() < kShortPathCapacity) shortForm = path;
  return path.size();
}

// One choice for every start of the engine, this platform's and the windowed program's.
EngineCommand PosixPlatform::engineCommand(const std::string& program) {
  if (!isWindowsProgram(program)) return {{program}, {}};
  const std::string wine = findOnPath(kWineProgram);
  if (wine.empty() || findOnPath(kWinePathProgram).empty()) {
    return {{}, wineMissingMessage(program)};
  }
  return {{wine, program}, {}};
}

// The length limit applies to the Windows form, the one the engine reads.
std::size_t PosixPlatform::engineShortPath(const std::string& program, const std::string& path,
                                           std::string& shortForm) {
  if (!isWindowsProgram(program)) return shortPath(path, shortForm);
  const auto windowsForm = wineShortForm(path);
  if (!windowsForm) return 0;
  if (windowsForm->size() < kShortPathCapacity) shortForm = *windowsForm;
  return windowsForm->size();
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
  std::vector<std::string> arguments = engineCommand(program).arguments;
  if (arguments.empty()) return std::nullopt;
  const std::vector<char*> argv = argumentPointers(arguments);
  int report[2];
  if (pipe(report) != 0) return std::nullopt;
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);

  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    closeInheritedFiles(report[1]);
    if (chdir(workingDir.c_str()) == 0) execv(argv[0], argv.data());
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
  std::vector<std::string> arguments = {viewer, path};
  const std::vector<char*> argv = argumentPointers(arguments);
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
      execv(argv[0], argv.data());
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
