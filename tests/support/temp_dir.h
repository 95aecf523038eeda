#pragma once

#include <filesystem>
#include <string>

namespace wintarvel::testing {

// A fresh folder under the temporary folder, removed with everything in it at the end
// of the test. The current folder is restored too, since some operations change it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Path of a file in the folder.
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path previousCurrent_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

}  // namespace wintarvel::testing
