// "Data Format" and "Output": format records, input pattern, read order and output options.

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/data_check_view.h"
#include "app/pages.h"

namespace wintarvel::view {

namespace {

QGroupBox* radioBox(Binder& b, GroupBox& control, const char* name,
                    std::initializer_list<std::pair<RadioButton*, const char*>> buttons) {
  QGroupBox* box = b.groupBox(control, name);
  auto* layout = new QVBoxLayout(box);
  for (const auto& [button, buttonName] : buttons) layout->addWidget(b.radio(*button, buttonName));
  layout->addStretch();
  return box;
}

}  // namespace

QWidget* buildDataFormatPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet2"));
  auto* layout = new QVBoxLayout(page);
  QLineEdit* format = b.edit(f.TxtGroupFortran, "TxtGroupFortran");
  QLabel* formatLabel = b.label(f.Label16, "Label16");
  formatLabel->setBuddy(format);
  layout->addWidget(formatLabel);
  layout->addWidget(format);
  layout->addWidget(formatExplanation(b, f.TxtGroupFortran, "LblGroupFortranReads"));
  auto* secondRow = new QHBoxLayout;
  secondRow->addWidget(b.checkBox(f.ChkSecFmt, "ChkSecFmt"));
  secondRow->addStretch();
  secondRow->addWidget(checkDataButton(f, b, page));
  layout->addLayout(secondRow);
  QLineEdit* second = b.edit(f.TxtGroup2Fortran, "TxtGroup2Fortran");
  second->setAccessibleName(QStringLiteral("Second format record"));
  keepPlaceWhenHidden(second);
  layout->addWidget(second);
  layout->addWidget(formatExplanation(b, f.TxtGroup2Fortran, "LblGroup2FortranReads"));
  layout->addSpacing(6);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(radioBox(b, f.GroupBox9, "GroupBox9",
                            {{&f.RadInpPat0, "RadInpPat0"},
                             {&f.RadInpPat1, "RadInpPat1"},
                             {&f.RadInpPat2, "RadInpPat2"},
                             {&f.RadInpPat3, "RadInpPat3"},
                             {&f.RadInpPat4, "RadInpPat4"},
                             {&f.RadInpPat5, "RadInpPat5"}}));
  auto* readOrder = new QVBoxLayout;
  readOrder->addWidget(
      radioBox(b, f.GroupBoxPV, "GroupBoxPV",
               {{&f.RBPerBeforeDy, "RBPerBeforeDy"}, {&f.RBPerAfterDy, "RBPerAfterDy"}}));
  readOrder->addStretch();
  boxes->addLayout(readOrder);
  layout->addLayout(boxes);
  layout->addStretch();
  return page;
}

QWidget* buildOutputPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Output"));
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  top->addWidget(radioBox(b, f.RadioGroup1, "RadioGroup1",
                          {{&f.RadOut0, "RadOut0"},
                           {&f.RadOut1, "RadOut1"},
                           {&f.RadOut2, "RadOut2"},
                           {&f.RadOut3, "RadOut3"},
                           {&f.RadOut4, "RadOut4"}}));
  auto* checks = new QVBoxLayout;
  QCheckBox* technical = b.checkBox(f.ChkTechOut, "ChkTechOut");
  checks->addWidget(technical);
  QLabel* note = b.label(f.Label3, "Label3");
  note->setContentsMargins(indicatorIndent(technical), 0, 0, 0);
  checks->addWidget(note);
  checks->addSpacing(8);
  checks->addWidget(b.checkBox(f.ChkRawData, "ChkRawData"));
  checks->addStretch();
  top->addLayout(checks);
  layout->addLayout(top);
  layout->addWidget(
      radioBox(b, f.GroupBox3, "GroupBox3",
               {{&f.RadAP0, "RadAP0"}, {&f.RadAP1, "RadAP1"}, {&f.RadAP2, "RadAP2"}}));
  layout->addStretch();
  return page;
}

}  // namespace wintarvel::view
