#pragma once

#include "run/platform.h"

namespace wintarvel {

// The platform services on Linux and other POSIX systems. Short paths are the paths themselves:
// there are no 8.3 aliases here, but the existence check and the length limit still apply.
class PosixPlatform : public Platform {
 public:
  std::string currentDir() override;
  bool setCurrentDir(const std::string& dir) override;
  std::size_t shortPath(const std::string& path, std::string& shortForm) override;
  void createIfMissing(const std::string& path) override;
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override;
  void startViewer(const std::string& path) override;
};

}  // namespace wintarvel
