#include "support/example_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace wintarvel::testing {

namespace fs = std::filesystem;

void prepareExampleRun(TFrm1& f, FakeUi& ui, const TempDir& dir, const std::string& engine) {
  const std::string study = dir.file("Roommate study of the spring term") + kPathSeparator;
  const std::string engineDir = dir.file("stand in engine");
  fs::create_directory(study);
  fs::create_directory(engineDir);
  fs::copy_file(engine, engineDir + kPathSeparator + "tarvel.exe");
  fs::copy_file(std::string(WINTARVEL_EXAMPLES) + "/roommate.txt", study + "roommate ratings.txt");

  ui.queueFile(fs::absolute(std::string(WINTARVEL_EXAMPLES) + "/roommate.set").string());
  f.BtnOpenSetClick();
  ASSERT_EQ(f.TxtProgTitle.text().substr(0, 14), "Roommate study");
  f.TxtSetFile.setText(study + "roommate setup.set");
  ASSERT_TRUE(f.SaveSetFile());
  f.TxtDataFile.setText(study + "roommate ratings.txt");
  f.TxtOutFile.setText(study + "roommate results.out");
  f.TxtIndDif.setText(study + "roommate effects.out");
  f.TxtExeDir.setText(engineDir);
}

std::vector<std::string> exampleRunPaths(const TFrm1& f) {
  return {f.TxtSetFile.text(), f.TxtDataFile.text(), f.TxtOutFile.text(), f.TxtIndDif.text()};
}

// The engine found xkb.ist only if it ran in the set file's folder.
void expectExampleReport(const TFrm1& f, std::optional<int> engineExit,
                         const std::vector<std::string>& viewerStarts) {
  EXPECT_EQ(engineExit, 0);
  const std::string report = readFile(f.TxtOutFile.text());
  for (const char* part : {"NOT the Tarvel analysis engine", "Roommate study", "Asymmetric Block",
                           "Data file records (lines):    480"}) {
    EXPECT_NE(report.find(part), std::string::npos) << part << " missing in:\n" << report;
  }
  EXPECT_NE(readFile(f.TxtIndDif.text()).find("actor and partner effect estimates"),
            std::string::npos);
  EXPECT_EQ(viewerStarts, std::vector<std::string>{f.TxtOutFile.text()});
}

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

}  // namespace wintarvel::testing
