// The viewer commands, which hand a chosen data or set file to the platform's text viewer, and
// the About box. None of them touches the study.

#include "model/frm1.h"

namespace wintarvel {

namespace {

void view(TFrm1& f, const std::string& path) {
  if (!f.platform.startViewer(path)) {
    f.ui.showMessage("No text viewer could be started to show " + path + ".", "");
  }
}

}  // namespace

// The title is left as the last Browse button set it.
void TFrm1::BtnOpenDataClick() {
  OpenDialog.setDefaultExt("txt");
  OpenDialog.setFileName("");
  OpenDialog.setFilter("dat files|*.txt;*.dat");
  if (ui.execute(OpenDialog)) view(*this, OpenDialog.fileName());
}

// Opens whichever set file is chosen, with the filter last given to the dialog; the study being
// edited is not saved first.
void TFrm1::OpeninNotepad1Click() {
  OpenDialog.setDefaultExt("set");
  OpenDialog.setFileName("*.set");
  if (ui.execute(OpenDialog)) view(*this, OpenDialog.fileName());
}

// Not modal: the main window stays usable, and showing it again keeps the one box.
void TFrm1::HelpAboutItemClick() {
  AboutBox.setVisible(true);
}

}  // namespace wintarvel
