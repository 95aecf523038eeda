// Feeds arbitrary bytes to the set file reader through a real main window model, then writes the
// study that came out of it. Neither may crash, hang or touch memory it does not own, whatever
// the file holds.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/quiet_ui.h"
#include "support/fake_ui.h"  // its platform only records engine and viewer starts

namespace {

using namespace wintarvel;

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
  testing::FakePlatform platform;
  TFrm1 f(ui, platform, workFolder.string());
  f.OpenDialog.setFileName(input);
  dispatch(ui, [&] { f.OpenSetFile(); });
  f.TxtSetFile.setText((workFolder / "output.set").string());
  dispatch(ui, [&] { f.SaveSetFile(); });
  return 0;
}
