#pragma once

#include "run/platform.h"

namespace wintarvel {

// The platform services on Windows, through the ANSI functions of the Win32 API: paths are
// single-byte text in the system's code page, as the rest of the program keeps them.
class Win32Platform : public Platform {
 public:
  std::string currentDir() override;
  bool setCurrentDir(const std::string& dir) override;
  std::size_t shortPath(const std::string& path, std::string& shortForm) override;
  void createIfMissing(const std::string& path) override;
  std::optional<int> runEngine(const std::string& program, const std::string& workingDir) override;
  bool startViewer(const std::string& path) override;
};

}  // namespace wintarvel
