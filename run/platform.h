#pragma once
// What the program asks of the operating system: folders, short paths, and starting the engine
// and the text viewer. PosixPlatform and Win32Platform implement it; run/native_platform.h names
// the one of the system being built for.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wintarvel {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Longest short form the instruction file accepts, plus one.
inline constexpr std::size_t kShortPathCapacity = 255;

// How the engine program starts on this system: its argument vector (the program to run first),
// or, when it cannot run here, the reason in words for the user.
struct EngineCommand {
  std::vector<std::string> arguments;
  std::string problem;
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual std::string currentDir() = 0;
  virtual bool setCurrentDir(const std::string& dir) = 0;
  // Short form of an existing path: its length, 0 when missing or empty, >= 255 when too long.
  virtual std::size_t shortPath(const std::string& path, std::string& shortForm) = 0;
  // Creates an empty file unless a file of that name exists; failure is ignored.
  virtual void createIfMissing(const std::string& path) = 0;
  // Starts the engine in workingDir and waits for it without a time limit; nullopt when it did
  // not start.
  virtual std::optional<int> runEngine(const std::string& program,
                                       const std::string& workingDir) = 0;
  // True when the last runEngine ended because the user stopped the engine.
  virtual bool engineWasStopped() const { return false; }
  // Opens a file in the text viewer, not waited for; false when no viewer could be started.
  virtual bool startViewer(const std::string& path) = 0;

  // How this engine is started; by default the program alone, with no arguments. A run asks
  // before it writes anything, and writes nothing when there is a problem.
  virtual EngineCommand engineCommand(const std::string& program) { return {{program}, {}}; }
  // Short form of an existing path as this engine reads it, answered as shortPath answers; the
  // same as shortPath unless the engine sees the files under other names.
  virtual std::size_t engineShortPath(const std::string& /*program*/, const std::string& path,
                                      std::string& shortForm) {
    return shortPath(path, shortForm);
  }
};

}  // namespace wintarvel
