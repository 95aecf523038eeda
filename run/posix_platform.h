#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "run/platform.h"

namespace wintarvel {

// The platform services on Linux and other POSIX systems. Short paths are the paths themselves:
// there are no 8.3 aliases here, but the existence check and the length limit still apply.
// An engine that is a Windows program runs through Wine (`wine` and `winepath` found on PATH,
// the user's own Wine prefix), and then reads the 8.3 Windows forms of the paths.
class PosixPlatform : public Platform {
 public:
  std::string currentDir() override;
  bool setCurrentDir(const std::string& dir) override;
  std::size_t shortPath(const std::string& path, std::string& shortForm) override;
  void createIfMissing(const std::string& path) override;
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override;
  bool startViewer(const std::string& path) override;
  // The program itself, or `wine` and the program when it is a Windows program ("MZ" at its
  // start); a Windows program without Wine installed has only a problem.
  EngineCommand engineCommand(const std::string& program) override;
  // For a Windows program, Wine's 8.3 form of the path (`winepath -w`, then `winepath -s`).
  std::size_t engineShortPath(const std::string& program, const std::string& path,
                              std::string& shortForm) override;

  // runEngine in parts, for a caller that keeps its windows painted while the engine runs.
  // Starts the program as engineCommand says, without a shell, in workingDir; its process id, or
  // nullopt when it did not start (no such program, not executable, no such folder, no Wine).
  std::optional<pid_t> startEngine(const std::string& program, const std::string& workingDir);
  // The exit code once the engine has ended (128 + the signal when a signal ended it, -1 when it
  // cannot be told), nullopt while it still runs. Never blocks; each ended engine is reaped once.
  std::optional<int> pollEngine(pid_t pid);
  // Ends a running engine at once and reaps it.
  void stopEngine(pid_t pid);
};

}  // namespace wintarvel
