// Folders, short paths and process starts on Windows. Programs are started with their path as
// the whole command line, unquoted and without arguments; Windows then finds the program by
// trying the blank-separated prefixes of that line in turn.

#include "run/win32_platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace wintarvel {

namespace {

constexpr const char* kViewerCommand = "notepad.exe ";

struct StartedProcess {
  HANDLE process;
  HANDLE thread;
};

// CreateProcessA may write into the command line, so it gets a copy it owns. No handles are
// inherited, the creation flags and environment are the defaults, and the start-up record is
// empty but for its size. A null working folder keeps ours.
std::optional<StartedProcess> startProcess(const std::string& commandLine, const char* workingDir) {
  std::vector<char> command(commandLine.begin(), commandLine.end());
  command.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDir,
                      &startup, &started)) {
    return std::nullopt;
  }
  return StartedProcess{started.hProcess, started.hThread};
}

void closeHandles(const StartedProcess& p) {
  CloseHandle(p.thread);
  CloseHandle(p.process);
}

}  // namespace

std::string Win32Platform::currentDir() {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return {};
  std::vector<char> buffer(needed);
  const DWORD length = GetCurrentDirectoryA(needed, buffer.data());
  if (length == 0 || length >= needed) return {};
  return std::string(buffer.data(), length);
}

bool Win32Platform::setCurrentDir(const std::string& dir) {
  return !dir.empty() && SetCurrentDirectoryA(dir.c_str()) != 0;
}

// The API's own answer: 0 for a missing file or an empty path, the needed size (255 or more)
// when the short form does not fit the buffer; only a short form that fits is handed back.
std::size_t Win32Platform::shortPath(const std::string& path, std::string& shortForm) {
  if (path.empty()) return 0;
  char buffer[kShortPathCapacity];
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, kShortPathCapacity);
  if (length > 0 && length < kShortPathCapacity) shortForm.assign(buffer, length);
  return length;
}

// CREATE_NEW fails on an existing file, so one that is there is never opened, let alone cut.
void Win32Platform::createIfMissing(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// The engine's exit code is handed back only for the caller to see; a wait or exit code that
// cannot be had still counts as a run.
std::optional<int> Win32Platform::runEngine(const std::string& program,
                                            const std::string& workingDir) {
  const auto started = startProcess(program, workingDir.c_str());
  if (!started) return std::nullopt;
  WaitForSingleObject(started->process, INFINITE);
  DWORD exitCode = 0;
  const bool known = GetExitCodeProcess(started->process, &exitCode) != 0;
  closeHandles(*started);
  return known ? static_cast<int>(exitCode) : -1;
}

bool Win32Platform::startViewer(const std::string& path) {
  const auto started = startProcess(kViewerCommand + path, nullptr);
  if (started) closeHandles(*started);
  return started.has_value();
}

}  // namespace wintarvel
