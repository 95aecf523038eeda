// Random user actions on the main window model, with what must always hold checked after each;
// now and then the study is saved, read back and saved again: both files must be identical.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "model/quiet_ui.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace wintarvel {
namespace {

// Answers at random; cancels every file dialog.
class RandomUi : public QuietUi {
 public:
  explicit RandomUi(std::mt19937& rng) : rng_(rng) {}
  Answer ask(const std::string&, const std::string&, Buttons buttons) override {
    return static_cast<Answer>(rng_() % (buttons == Buttons::YesNoCancel ? 3 : 2));
  }

 private:
  std::mt19937& rng_;
};

class RandomSession {
 public:
  explicit RandomSession(unsigned seed) : rng_(seed), ui_(rng_), f_(ui_, platform_, dir_.str()) {
    f_.BtnNewSetClick();
  }

  // Runs `count` actions; an empty text when every check held, else what went wrong.
  std::string run(int count) {
    const std::vector<std::function<void()>> actions = this->actions();
    std::string log;
    for (int i = 0; i < count; ++i) {
      // With no document open only New can be reached (the last action).
      const int chosen = f_.PageControl1.visible() ? pick(actions.size()) : actions.size() - 1;
      log += " " + std::to_string(chosen);
      try {
        actions[chosen]();
      } catch (const ConversionError&) {  // ends the operation, as in the window
      }
      std::string broken = brokenInvariant();
      if (broken.empty() && (i + 1) % 250 == 0) broken = roundTrip();
      if (!broken.empty()) return broken + "\nactions:" + log;
    }
    return {};
  }

  int roundTrips = 0;

 private:
  int pick(std::size_t n) { return static_cast<int>(rng_() % n); }
  bool chance(int percent) { return pick(100) < percent; }

  // A new name as a user types it: blanks around it, now and then nothing at all.
  void type(Edit& edit, const char* prefix, bool forRename = false) {
    edit.setText(chance(10) && !forRename ? ""
                                          : "  " + (prefix + std::to_string(++counter_)) + " ");
  }
  std::string number() {
    static const char* const odd[] = {"", " ", "abc", "-1", "1x", "99999999999", "0"};
    return chance(15) ? odd[pick(7)] : std::to_string(pick(12) + 1);
  }
  std::string printable(int most) {
    std::string s(pick(most + 1), ' ');
    for (char& c : s) c = static_cast<char>(' ' + pick(95));
    return s;
  }
  void choose(ListBox& list) { list.setItemIndex(pick(list.count() + 1) - 1); }
  void chooseSome(ListBox& list) {
    for (int i = 0; i < list.count(); ++i) list.setSelected(i, chance(50));
  }
  void radio(const RadioGroup& group) {
    group.buttons()[pick(group.buttons().size())]->setChecked(true);
  }
  void toggle(CheckBox& box) { box.setChecked(box.enabled() != box.checked()); }
  // The memo gets the number of records needed, give or take one.
  void fillMemo(int offset) {
    std::string text;
    for (int i = std::max(0, std::min(f_.ReorderRecordCount, 500) + offset); i > 0; --i) {
      text += std::to_string(i) + " 2 3\r\n";
    }
    if (!text.empty() && chance(50)) text.resize(text.size() - 2);
    f_.MemoReorder.setText(text);
  }

  // clang-format off
  std::vector<std::function<void()>> actions() {
    TFrm1& f = f_;
    return {
        [&] { type(f.TxtDyVars, "V"), f.CmdDyVarAddClick(); },
        [&] { type(f.TxtDyVars, "V"), f.TxtDyVarsKeyPress('\r'); }, [&] { choose(f.CmbDyVar), f.CmbDyVarClick(); },
        [&] { f.CmdDyVarRemClick(); }, [&] { f.TxtDyVarsKeyPress('.'); },
        [&] { if (f.CmdDyVarRename.enabled()) type(f.TxtDyVars, "V", true), f.CmdDyVarRenameClick(); },
        [&] { f.UDDyClick(chance(50) ? UpDownButton::Up : UpDownButton::Down); },
        [&] { type(f.TxtPerVars, "P"), f.CmdPerVarAddClick(); }, [&] { choose(f.CmbPerVar), f.CmbPerVarClick(); },
        [&] { f.CmdPerVarRemClick(); }, [&] { type(f.TxtPerVars, "P", true), f.CmdPerVarRenameClick(); },
        [&] { f.UDPerClick(chance(50) ? UpDownButton::Up : UpDownButton::Down); }, [&] { toggle(f.ChkReverseVar); },
        [&] { if (f.CmdDyVarRev.enabled()) f.CmdDyVarRevClick(); }, [&] { f.TxtRevScore.setText(number()); },
        [&] { type(f.TxtConstruct, "C"), f.CmdConstAddClick(); }, [&] { choose(f.CmbConst), f.CmdConstSelClick(); },
        [&] { f.CmdConstRemClick(); },
        [&] { chooseSome(f.LstVars); if (f.CmdVarsConstAdd.enabled()) f.CmdVarsConstAddClick(); },
        [&] { chooseSome(f.LstVarsConst); if (f.CmdVarsConstRem.enabled()) f.CmdVarsConstRemClick(); },
        [&] { choose(f.CorAvailVarList), f.CorAvailVarListClick(); },
        [&] { choose(f.CorMapVarList), f.CorMapVarListClick(); }, [&] { choose(f.CorVarList), f.CorVarListClick(); },
        [&] { if (f.PBCorConnect.enabled()) f.PRCorConnectClick(); },
        [&] { if (f.PBCorDisconnect.enabled()) f.PBCorDisconnectClick(); }, [&] { f.VerifyCorrelations(chance(50)); },
        [&] { f.TxtNumGroups.setText(number()); }, [&] { f.TxtNumSubGroup1.setText(number().substr(0, 2)); },
        [&] { f.TxtNumSubGroup2.setText(number().substr(0, 2)); }, [&] { f.TxtProgTitle.setText(printable(64)); },
        [&] { if (f.TxtNameSubGroup1.visible()) f.TxtNameSubGroup1.setText(printable(8)); },
        [&] { radio(f.DesignType); }, [&] { toggle(f.ChkSelfM); }, [&] { radio(f.InputPattern); },
        [&] { if (f.GroupBoxPV.enabled()) radio(f.ReadOrder); }, [&] { toggle(f.ChkSecFmt); },
        [&] { f.TxtGroupFortran.setText(printable(chance(30) ? 320 : 40)); },
        [&] { if (f.TxtGroup2Fortran.enabled()) f.TxtGroup2Fortran.setText(printable(200)); },
        [&] { radio(f.OutputOption); }, [&] { radio(f.EffectEstimates); }, [&] { toggle(f.ChkTechOut); },
        [&] { toggle(f.ChkRawData); }, [&] { radio(f.ReorderPattern); }, [&] { radio(f.ReorderNewSame); },
        [&] { fillMemo(pick(3) - 1); }, [&] { toggle(f.ChkDropSub); }, [&] { choose(f.CmbDrop), f.CmdDropClick(); },
        [&] { f.CancelClick(); }, [&] { f.BtnNewSetClick(); },
    };
  }
  // clang-format on

  std::string brokenInvariant() const {
    const TFrm1& f = f_;
    const std::size_t n = f.DyVarList.size();
    if (static_cast<int>(n) != f.CmbDyVar.count()) return "records and dyadic items out of step";
    for (std::size_t i = 0; i < n; ++i) {
      const _variable& v = f.DyVarList[i];
      const std::string item = f.CmbDyVar.item(static_cast<int>(i));
      if (item != (v.Reversed ? v.Name + " R" : v.Name)) return "item " + item + " for " + v.Name;
    }
    for (const Edit* code : {&f.ConRecInfo, &f.CorRecInfo}) {
      if (!code->text().empty() && code->text().size() != 2 * n) return "code " + code->text();
    }
    const bool personality = f.CmbPerVar.count() > 0;
    if (f.GroupBoxPV.enabled() != personality || f.RBPerBeforeDy.enabled() != personality ||
        f.RBPerAfterDy.enabled() != personality) {
      return "read-order group enabled out of step with the personality variables";
    }
    for (const RadioGroup* g : {&f.DesignType, &f.InputPattern, &f.OutputOption, &f.EffectEstimates,
                                &f.ReorderPattern, &f.ReorderNewSame, &f.ReadOrder}) {
      int checked = 0;
      for (const RadioButton* b : g->buttons()) checked += b->checked() ? 1 : 0;
      const bool one = g == &f.ReadOrder ? checked <= 1 : checked == 1;  // read order: at most
      if (!one) return std::to_string(checked) + " buttons of a radio group checked";
    }
    return {};
  }

  // Saves the study with valid numbers and as many reorder records as needed, reads it into a
  // second window and saves that: both files must be equal.
  std::string roundTrip() {
    if (!f_.PageControl1.visible()) return {};
    for (Edit* size : {&f_.TxtNumSubGroup1, &f_.TxtNumSubGroup2})
      size->setText(std::to_string(pick(5) + 1));
    f_.TxtNumGroups.setText(std::to_string(pick(12) + 1));
    f_.TxtRevScore.setText(std::to_string(pick(99)));
    f_.CheckReorder();
    fillMemo(0);
    f_.TxtSetFile.setText(dir_.file("first.set"));
    try {
      if (!f_.SaveSetFile()) return {};
    } catch (const ConversionError&) {
      return {};
    }
    // Only a memo of as many records as the study needs reads back as it was.
    const auto records = static_cast<int>(f_.MemoReorder.lineCount());
    if (!f_.RadRePat0.checked() && records != f_.ReorderRecordCount) return {};
    QuietUi silent;
    testing::FakePlatform platform;
    TFrm1 copy(silent, platform, dir_.str());
    copy.OpenDialog.setFileName(dir_.file("first.set"));
    if (!copy.OpenSetFile()) return "the saved file could not be read back";
    copy.TxtSetFile.setText(dir_.file("second.set"));
    if (!copy.SaveSetFile()) return "the study read back could not be saved";
    ++roundTrips;
    const std::string first = testing::readFile(dir_.file("first.set"));
    return first == testing::readFile(dir_.file("second.set")) ? ""
                                                               : "saved again differs:\n" + first;
  }

  std::mt19937 rng_;
  testing::TempDir dir_;
  RandomUi ui_;
  testing::FakePlatform platform_;
  TFrm1 f_;
  int counter_ = 0;
};

TEST(RandomEvents, EveryActionKeepsTheStudyConsistentAndSavedStudiesReadBackUnchanged) {
  for (unsigned seed : {1u, 2u, 3u}) {
    RandomSession session(seed);
    EXPECT_EQ(session.run(2000), "") << "seed " << seed;
    EXPECT_GT(session.roundTrips, 0) << "seed " << seed << " never saved";
  }
}

}  // namespace
}  // namespace wintarvel
