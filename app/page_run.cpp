// "Reorder" and "File Names": reorder pattern and records, and the files of a run.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/hints.h"
#include "app/memo_binding.h"
#include "app/pages.h"

namespace wintarvel::view {

namespace {

// A label under a radio button that continues its caption; clicking it may run a rule.
QLabel* continuation(Binder& b, Label& control, const char* name, QRadioButton* button) {
  QLabel* label = b.label(control, name);
  label->setContentsMargins(indicatorIndent(button), 0, 0, 0);
  return label;
}

QWidget* reorderPattern(TFrm1& f, Binder& b) {
  QGroupBox* box = b.groupBox(f.GroupBox16, "GroupBox16");
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(4);
  const std::pair<RadioButton*, const char*> buttons[] = {
      {&f.RadRePat0, "RadRePat0"}, {&f.RadRePat1, "RadRePat1"}, {&f.RadRePat2, "RadRePat2"},
      {&f.RadRePat3, "RadRePat3"}, {&f.RadRePat4, "RadRePat4"}, {&f.RadRePat5, "RadRePat5"},
      {&f.RadRePat6, "RadRePat6"}};
  QRadioButton* last = nullptr;
  for (const auto& [button, name] : buttons) {
    last = b.radio(*button, name);
    layout->addWidget(last);
  }
  QLabel* label7 = continuation(b, f.Label7, "Label7", last);
  onMouseClick(label7, [&b, &f] { b.run([&f] { f.CheckReorder(); }); });
  layout->addWidget(label7);
  layout->addStretch();
  return box;
}

QWidget* newOrSame(TFrm1& f, Binder& b) {
  QGroupBox* box = b.groupBox(f.GroupBox17, "GroupBox17");
  keepPlaceWhenHidden(box);
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(4);
  layout->addWidget(b.radio(f.RadReNewSame0, "RadReNewSame0"));
  QRadioButton* first = b.radio(f.RadReNewSame1, "RadReNewSame1");
  layout->addWidget(first);
  layout->addWidget(continuation(b, f.Label2, "Label2", first));
  return box;
}

}  // namespace

QWidget* buildReorderPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Reorder"));
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(reorderPattern(f, b));
  auto* right = new QVBoxLayout;
  // The count stays on top: the record choice and the memo below it come and go.
  right->addWidget(b.label(f.LblNumReor, "LblNumReor"));
  right->addSpacing(6);
  right->addWidget(newOrSame(f, b));
  MemoEdit* memo = boundMemo(b, f.MemoReorder, "MemoReorder");
  memo->setAccessibleName(QStringLiteral("Reorder records"));
  keepPlaceWhenHidden(memo);
  right->addWidget(memo, 1);
  layout->addLayout(right, 1);
  return page;
}

namespace {

struct FileField {
  Edit& edit;
  const char* editName;
  Button& browse;
  const char* browseName;
  void (TFrm1::*browseClick)();
};

void addFileRow(QGridLayout* grid, int row, TFrm1& f, Binder& b, const FileField& field,
                QLabel* label = nullptr) {
  QLineEdit* edit = b.edit(field.edit, field.editName);
  if (label != nullptr) {
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
  }
  grid->addWidget(edit, row, 1);
  grid->addWidget(
      b.button(field.browse, field.browseName, [&f, m = field.browseClick] { (f.*m)(); }), row, 2);
}

QGroupBox* fileGroup(const QString& title, const char* name, TFrm1& f, Binder& b,
                     const FileField& field) {
  auto* box = new QGroupBox;
  box->setObjectName(name);
  box->setTitle(captionWithAccessKey(box, title));
  auto* grid = new QGridLayout(box);
  addFileRow(grid, 0, f, b, field);
  grid->setColumnStretch(1, 1);
  return box;
}

}  // namespace

QWidget* buildFileNamesPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet1"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(
      fileGroup(QStringLiteral("Set File"), "GrpSetFile", f, b,
                {f.TxtSetFile, "TxtSetFile", f.Button2, "Button2", &TFrm1::Button2Click}));
  layout->addWidget(
      fileGroup(QStringLiteral("Data File"), "GrpDataFile", f, b,
                {f.TxtDataFile, "TxtDataFile", f.Button1, "Button1", &TFrm1::Button1Click}));
  layout->addWidget(
      fileGroup(QStringLiteral("Output File"), "GrpOutFile", f, b,
                {f.TxtOutFile, "TxtOutFile", f.Button3, "Button3", &TFrm1::Button3Click}));

  auto* optional = new QGroupBox;
  optional->setObjectName(QStringLiteral("GrpOptionalFiles"));
  optional->setTitle(captionWithAccessKey(optional, QStringLiteral("Optional Output Files")));
  auto* grid = new QGridLayout(optional);
  addFileRow(grid, 0, f, b, {f.TxtCoVar, "TxtCoVar", f.CmdCoVar, "CmdCoVar", &TFrm1::CmdCoVarClick},
             b.label(f.LblCoVar, "LblCoVar"));
  addFileRow(grid, 1, f, b,
             {f.TxtIndDif, "TxtIndDif", f.CmdIndDif, "CmdIndDif", &TFrm1::CmdIndDifClick},
             b.label(f.LblIndDif, "LblIndDif"));
  grid->setColumnStretch(1, 1);
  layout->addWidget(optional);

  auto* bottom = new QHBoxLayout;
  QLineEdit* engineDir = b.edit(f.TxtExeDir, "TxtExeDir");
  engineDir->setAccessibleName(QStringLiteral("Tarvel directory"));
  engineDir->setReadOnly(true);
  bottom->addWidget(engineDir);
  bottom->addStretch();
  bottom->addWidget(b.button(f.GenInstr, "GenInstr", [&f] { f.GenInstrClick(); }));
  layout->addLayout(bottom);
  layout->addStretch();
  return page;
}

}  // namespace wintarvel::view
