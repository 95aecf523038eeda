// Feeds arbitrary bytes to the set file reader through a real main window model, then writes the
// study that came out of it. Neither may crash, hang or touch memory it does not own, whatever
// the file holds.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/frm1.h"
#include "model/quiet_ui.h"
#include "run/posix_platform.h"

namespace {

using namespace wintarvel;

// Engine and viewer are never started from here.
class QuietPlatform : public PosixPlatform {
 public:
  std::optional<int> runEngine(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  bool startViewer(const std::string&) override { return true; }
};

const std::filesystem::path workFolder =
    std::filesystem::temp_directory_path() / ("wintarvel-fuzz-" + std::to_string(::getpid()));

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(workFolder);
  const std::string input = (workFolder / "input.set").string();
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  QuietUi ui;
  QuietPlatform platform;
  TFrm1 f(ui, platform, workFolder.string());
  f.OpenDialog.setFileName(input);
  dispatch(ui, [&] { f.OpenSetFile(); });
  f.TxtSetFile.setText((workFolder / "output.set").string());
  dispatch(ui, [&] { f.SaveSetFile(); });
  return 0;
}
