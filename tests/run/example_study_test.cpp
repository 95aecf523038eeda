// The example study shipped in examples/ is a set file this program reads and writes unchanged.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::Fixture;
using testing::readFile;
using testing::TempDir;

const std::string kExamples = std::string(WINTARVEL_TEST_DATA) + "/../../examples";

TEST(ExampleStudy, OpensAndSavesWithoutAChangedByte) {
  TempDir dir;
  const std::string path = dir.file("roommate.set");
  std::filesystem::copy_file(kExamples + "/roommate.set", path);
  const std::string original = readFile(path);

  Fixture fx(dir.str());
  TFrm1& f = fx.f;
  fx.ui.queueFile(path);
  f.BtnOpenSetClick();
  EXPECT_EQ(f.TxtProgTitle.text().substr(0, 14), "Roommate study");
  EXPECT_EQ(f.CmbDyVar.items(), (std::vector<std::string>{"LIKE", "TRUST R", "ANXIOUS"}));
  EXPECT_EQ(f.DroppedSubjects, std::vector<int>{3});
  EXPECT_TRUE(f.RadAP1.checked());

  f.DoneClick();
  EXPECT_TRUE(fx.ui.messages.empty());
  EXPECT_EQ(readFile(path), original);
}

}  // namespace
}  // namespace wintarvel
