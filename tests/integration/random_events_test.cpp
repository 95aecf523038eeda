// Plays thousands of random user actions on the main window model and checks after each one what
// must always hold. Every few hundred actions the study is saved, read back into a second window
// and saved again: the two files must be identical. A failure prints the seed and the actions.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/frm1.h"
#include "model/quiet_ui.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

using testing::FakePlatform;
using testing::readFile;
using testing::TempDir;

// Answers questions and file dialogs at random; file dialogs are cancelled or given a path in the
// test's folder.
class RandomUi : public Ui {
 public:
  RandomUi(std::mt19937& rng, std::string folder) : rng_(rng), folder_(std::move(folder)) {}
  void showMessage(const std::string&, const std::string&) override {}
  Answer ask(const std::string&, const std::string&, Buttons buttons) override {
    const int n = buttons == Buttons::YesNoCancel ? 3 : 2;
    return static_cast<Answer>(std::uniform_int_distribution<int>(0, n - 1)(rng_));
  }
  bool execute(FileDialog& dialog) override {
    if (dialog.kind() == FileDialogKind::Open || rng_() % 2 == 0) return false;
    dialog.setFileName(folder_ + "/chosen.set");
    return true;
  }
  void showError(const std::string& text) override { errors.push_back(text); }
  void closeMainWindow() override {}
  std::vector<std::string> errors;

 private:
  std::mt19937& rng_;
  std::string folder_;
};

class RandomSession {
 public:
  RandomSession(unsigned seed, bool uniqueNames)
      : rng_(seed), ui_(rng_, dir_.str()), f_(ui_, platform_, dir_.str()), unique_(uniqueNames) {
    f_.BtnNewSetClick();
    defineActions();
  }

  // Runs `count` actions; returns an empty text when every check held, else what went wrong.
  std::string run(int count) {
    for (int i = 0; i < count; ++i) {
      // With no document open only the File commands can be reached.
      const std::size_t chosen =
          f_.PageControl1.visible()
              ? static_cast<std::size_t>(pick(static_cast<int>(actions_.size())))
              : newAction_;
      const auto& [name, action] = actions_[chosen];
      log_.push_back(name);
      try {
        action();
      } catch (const ConversionError&) {
        // Ends the operation, as in the window: the dispatcher shows it and the program goes on.
      } catch (const std::exception& e) {
        return failure(std::string("unexpected exception: ") + e.what());
      }
      if (std::string broken = brokenInvariant(); !broken.empty()) return failure(broken);
      if (unique_ && (i + 1) % 250 == 0) {
        if (std::string differs = roundTrip(); !differs.empty()) return failure(differs);
      }
    }
    return {};
  }

  int roundTrips() const { return roundTrips_; }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return pick(100) < percent; }

  std::string failure(const std::string& what) const {
    std::ostringstream out;
    out << what << "\nactions:";
    for (const auto& a : log_) out << ' ' << a;
    return out.str();
  }

  std::string freshName(const char* prefix) {
    if (!unique_) return std::string(prefix) + std::to_string(pick(6));
    return std::string(prefix) + std::to_string(++counter_);
  }

  std::string randomNumberText() {
    static const std::vector<std::string> odd = {"", " ", "abc", "-1", "1x", "99999999999", "0"};
    if (chance(15)) return odd[static_cast<std::size_t>(pick(static_cast<int>(odd.size())))];
    return std::to_string(pick(12) + 1);
  }

  std::string randomPrintable(int maxLength) {
    std::string s(static_cast<std::size_t>(pick(maxLength + 1)), ' ');
    for (char& c : s) c = static_cast<char>(' ' + pick(95));
    return s;
  }

  void selectIn(ListBox& list) {
    list.setItemIndex(list.count() == 0 ? -1 : pick(list.count() + 1) - 1);
  }

  void selectSomeIn(ListBox& list) {
    for (int i = 0; i < list.count(); ++i) list.setSelected(i, chance(50));
  }

  // A name as a user types it: blanks around it, now and then nothing at all (which adding
  // ignores; renaming to nothing is left to the run with duplicate names).
  void typeName(Edit& edit, const char* prefix, bool forRename = false) {
    const bool blank = chance(10) && (!forRename || !unique_);
    edit.setText(blank ? std::string(chance(50) ? "" : "   ") : "  " + freshName(prefix) + " ");
  }

  void defineActions() {
    TFrm1& f = f_;
    auto add = [this](const char* name, std::function<void()> action) {
      actions_.emplace_back(name, std::move(action));
    };
    add("addDyadic", [&f, this] {
      typeName(f.TxtDyVars, "V");
      f.CmdDyVarAddClick();
    });
    add("enterDyadic", [&f, this] {
      typeName(f.TxtDyVars, "V");
      f.TxtDyVarsKeyPress('\r');
    });
    add("selectDyadic", [&f, this] {
      selectIn(f.CmbDyVar);
      f.CmbDyVarClick();
    });
    add("removeDyadic", [&f] { f.CmdDyVarRemClick(); });
    add("periodDyadic", [&f] { f.TxtDyVarsKeyPress('.'); });
    add("renameDyadic", [&f, this] {
      if (!f.CmdDyVarRename.enabled()) return;
      typeName(f.TxtDyVars, "V", true);
      f.CmdDyVarRenameClick();
    });
    add("moveDyadic",
        [&f, this] { f.UDDyClick(chance(50) ? UpDownButton::Up : UpDownButton::Down); });
    add("addPersonality", [&f, this] {
      typeName(f.TxtPerVars, "P");
      f.CmdPerVarAddClick();
    });
    add("selectPersonality", [&f, this] {
      selectIn(f.CmbPerVar);
      f.CmbPerVarClick();
    });
    add("removePersonality", [&f] { f.CmdPerVarRemClick(); });
    add("renamePersonality", [&f, this] {
      typeName(f.TxtPerVars, "P", true);
      f.CmdPerVarRenameClick();
    });
    add("movePersonality",
        [&f, this] { f.UDPerClick(chance(50) ? UpDownButton::Up : UpDownButton::Down); });
    add("reverseScoring", [&f] { f.ChkReverseVar.setChecked(!f.ChkReverseVar.checked()); });
    add("reverseScore", [&f] {
      if (f.CmdDyVarRev.enabled()) f.CmdDyVarRevClick();
    });
    add("limitSum", [&f, this] { f.TxtRevScore.setText(randomNumberText()); });
    add("addConstruct", [&f, this] {
      typeName(f.TxtConstruct, "C");
      f.CmdConstAddClick();
    });
    add("selectConstruct", [&f, this] {
      selectIn(f.CmbConst);
      f.CmdConstSelClick();
    });
    add("removeConstruct", [&f] { f.CmdConstRemClick(); });
    add("intoConstruct", [&f, this] {
      selectSomeIn(f.LstVars);
      if (f.CmdVarsConstAdd.enabled()) f.CmdVarsConstAddClick();
    });
    add("outOfConstruct", [&f, this] {
      selectSomeIn(f.LstVarsConst);
      if (f.CmdVarsConstRem.enabled()) f.CmdVarsConstRemClick();
    });
    add("pickAvailable", [&f, this] {
      selectIn(f.CorAvailVarList);
      f.CorAvailVarListClick();
    });
    add("pickCandidate", [&f, this] {
      selectIn(f.CorMapVarList);
      f.CorMapVarListClick();
    });
    add("pickCorrelated", [&f, this] {
      selectIn(f.CorVarList);
      f.CorVarListClick();
    });
    add("correlate", [&f] {
      if (f.PBCorConnect.enabled()) f.PRCorConnectClick();
    });
    add("uncorrelate", [&f] {
      if (f.PBCorDisconnect.enabled()) f.PBCorDisconnectClick();
    });
    add("verify", [&f, this] { f.VerifyCorrelations(chance(50)); });
    add("groups", [&f, this] { f.TxtNumGroups.setText(randomNumberText()); });
    add("subgroup1", [&f, this] { f.TxtNumSubGroup1.setText(randomNumberText().substr(0, 2)); });
    add("subgroup2", [&f, this] { f.TxtNumSubGroup2.setText(randomNumberText().substr(0, 2)); });
    add("title", [&f, this] { f.TxtProgTitle.setText(randomPrintable(64)); });
    add("subgroupNames", [&f, this] {
      if (!f.TxtNameSubGroup1.visible()) return;
      f.TxtNameSubGroup1.setText(randomPrintable(8));
      f.TxtNameSubGroup2.setText(randomPrintable(8));
    });
    add("design", [&f, this] { pickRadio({&f.RadDesTy0, &f.RadDesTy1, &f.RadDesTy2}); });
    add("selfMeasures", [&f] {
      if (f.ChkSelfM.enabled()) f.ChkSelfM.setChecked(!f.ChkSelfM.checked());
    });
    add("inputPattern", [&f, this] {
      pickRadio({&f.RadInpPat0, &f.RadInpPat1, &f.RadInpPat2, &f.RadInpPat3, &f.RadInpPat4,
                 &f.RadInpPat5});
    });
    add("readOrder", [&f, this] {
      if (f.GroupBoxPV.enabled()) pickRadio({&f.RBPerBeforeDy, &f.RBPerAfterDy});
    });
    add("secondFormat", [&f] { f.ChkSecFmt.setChecked(!f.ChkSecFmt.checked()); });
    add("formats", [&f, this] {
      f.TxtGroupFortran.setText(randomPrintable(chance(30) ? 320 : 40));
      if (f.TxtGroup2Fortran.enabled()) f.TxtGroup2Fortran.setText(randomPrintable(200));
    });
    add("output", [&f, this] {
      pickRadio({&f.RadOut0, &f.RadOut1, &f.RadOut2, &f.RadOut3, &f.RadOut4});
    });
    add("effects", [&f, this] { pickRadio({&f.RadAP0, &f.RadAP1, &f.RadAP2}); });
    add("technical", [&f] { f.ChkTechOut.setChecked(!f.ChkTechOut.checked()); });
    add("rawData", [&f] { f.ChkRawData.setChecked(!f.ChkRawData.checked()); });
    add("reorderPattern", [&f, this] {
      pickRadio({&f.RadRePat0, &f.RadRePat1, &f.RadRePat2, &f.RadRePat3, &f.RadRePat4, &f.RadRePat5,
                 &f.RadRePat6});
    });
    add("reorderNewSame", [&f, this] { pickRadio({&f.RadReNewSame0, &f.RadReNewSame1}); });
    add("reorderLines", [this] { fillMemo(pick(4) - 1); });
    add("dropSubjects", [&f] { f.ChkDropSub.setChecked(!f.ChkDropSub.checked()); });
    add("dropOne", [&f, this] {
      selectIn(f.CmbDrop);
      f.CmdDropClick();
    });
    newAction_ = actions_.size();
    add("new", [&f] { f.BtnNewSetClick(); });
    add("close", [&f] { f.CancelClick(); });
  }

  void pickRadio(std::initializer_list<RadioButton*> buttons) {
    const auto* chosen = buttons.begin() + pick(static_cast<int>(buttons.size()));
    (*chosen)->setChecked(true);
  }

  // The memo gets the number of records needed, give or take one.
  void fillMemo(int offset) {
    const int wanted = std::max(0, std::min(f_.ReorderRecordCount, 500) + offset);
    std::string text;
    for (int i = 0; i < wanted; ++i) text += std::to_string(i + 1) + " 2 3\r\n";
    if (!text.empty() && chance(50)) text.resize(text.size() - 2);
    f_.MemoReorder.setText(text);
  }

  std::string brokenInvariant() const {
    const TFrm1& f = f_;
    const std::size_t n = f.DyVarList.size();
    if (static_cast<int>(n) != f.CmbDyVar.count()) return "records and dyadic items out of step";
    // With duplicate names a lookup by name finds the first of them, so the marks of the others
    // cannot be kept in step; only the counts and code strings are checked then.
    for (std::size_t i = 0; unique_ && i < n; ++i) {
      const _variable& v = f.DyVarList[i];
      const std::string shown = v.Reversed ? v.Name + " R" : v.Name;
      if (f.CmbDyVar.item(static_cast<int>(i)) != shown) {
        return "item " + std::to_string(i) + " reads '" + f.CmbDyVar.item(static_cast<int>(i)) +
               "' for record '" + v.Name + "'";
      }
    }
    for (const Edit* code : {&f.ConRecInfo, &f.CorRecInfo}) {
      if (!code->text().empty() && code->text().size() != 2 * n) {
        return "code string '" + code->text() + "' for " + std::to_string(n) + " variables";
      }
    }
    const bool hasPersonality = f.CmbPerVar.count() > 0;
    if (f.GroupBoxPV.enabled() != hasPersonality || f.RBPerBeforeDy.enabled() != hasPersonality ||
        f.RBPerAfterDy.enabled() != hasPersonality) {
      return "read-order group enabled out of step with the personality variables";
    }
    for (const RadioGroup* g : {&f.DesignType, &f.InputPattern, &f.OutputOption, &f.EffectEstimates,
                                &f.ReorderPattern, &f.ReorderNewSame}) {
      int checked = 0;
      for (const RadioButton* b : g->buttons()) checked += b->checked() ? 1 : 0;
      if (checked != 1) return "a radio group has " + std::to_string(checked) + " buttons checked";
    }
    int readOrderChecked = f.RBPerBeforeDy.checked() + f.RBPerAfterDy.checked();
    if (readOrderChecked > 1) return "both read-order buttons checked";
    return {};
  }

  bool memoFitsTheFile() const {
    if (f_.RadRePat0.checked()) return true;
    const auto lines = f_.MemoReorder.lines();
    if (static_cast<int>(lines.size()) != f_.ReorderRecordCount) return false;
    for (const auto& line : lines) {
      if (line == "0") return false;
    }
    return true;
  }

  // Saves the study, reads it into a second window and saves that: both files must be equal.
  // Before saving, a user puts valid numbers where the random typing left none, and as many
  // reorder records as the study needs.
  void makeSavable() {
    auto keepOrSet = [](Edit& edit, int lowest, int highest, const std::string& fallback) {
      try {
        const int value = StrToInt(edit.text());
        if (value >= lowest && value <= highest) return;
      } catch (const ConversionError&) {
      }
      edit.setText(fallback);
    };
    keepOrSet(f_.TxtNumSubGroup1, 0, 99, "3");
    keepOrSet(f_.TxtNumSubGroup2, 0, 99, "2");
    keepOrSet(f_.TxtNumGroups, 1, 999, "4");
    keepOrSet(f_.TxtRevScore, 0, 99999, "8");
    f_.CheckReorder();
    fillMemo(0);
  }

  std::string roundTrip() {
    if (!f_.PageControl1.visible()) return {};
    makeSavable();
    const std::string first = dir_.file("first.set");
    const std::string second = dir_.file("second.set");
    f_.TxtSetFile.setText(first);
    bool saved = false;
    try {
      saved = f_.SaveSetFile();
    } catch (const ConversionError&) {
      return {};
    }
    if (!saved || !memoFitsTheFile()) return {};
    QuietUi silent;
    FakePlatform platform;
    TFrm1 copy(silent, platform, dir_.str());
    copy.OpenDialog.setFileName(first);
    if (!copy.OpenSetFile()) return "the saved file could not be read back: " + readFile(first);
    copy.TxtSetFile.setText(second);
    if (!copy.SaveSetFile()) return "the study read back could not be saved";
    ++roundTrips_;
    if (readFile(first) != readFile(second)) {
      return "saved again after reading it differs:\n" + readFile(first) + "\n---\n" +
             readFile(second);
    }
    return {};
  }

  std::mt19937 rng_;
  TempDir dir_;
  RandomUi ui_;
  FakePlatform platform_;
  TFrm1 f_;
  bool unique_;
  int counter_ = 0;
  std::size_t newAction_ = 0;
  int roundTrips_ = 0;
  std::vector<std::pair<const char*, std::function<void()>>> actions_;
  std::vector<const char*> log_;
};

TEST(RandomEvents, EveryActionKeepsTheStudyConsistentAndSavedStudiesReadBackUnchanged) {
  for (unsigned seed : {1u, 2u, 3u}) {
    RandomSession session(seed, /*uniqueNames=*/true);
    const std::string problem = session.run(3000);
    EXPECT_EQ(problem, "") << "seed " << seed;
    EXPECT_GT(session.roundTrips(), 0) << "seed " << seed << " never reached a savable study";
  }
}

TEST(RandomEvents, DuplicateNamesNeverBreakTheCodeStrings) {
  for (unsigned seed : {11u, 12u}) {
    RandomSession session(seed, /*uniqueNames=*/false);
    EXPECT_EQ(session.run(3000), "") << "seed " << seed;
  }
}

}  // namespace
}  // namespace wintarvel
