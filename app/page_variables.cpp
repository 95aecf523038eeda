// "Variables": the dyadic and personality variable lists with their arrows, self measures and
// reverse scoring.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pages.h"

namespace wintarvel::view {

namespace {

struct VariableList {
  GroupBox& box;
  Edit& name;
  ListBox& list;
  Button &add, &remove, &rename;
  UpDown& arrows;
  const char* names[7];     // box, edit, list, add, remove, rename, arrows
  const char* nameCaption;  // what assistive technology calls the name box and the list
  const char* listCaption;
  void (TFrm1::*click)();
  void (TFrm1::*keyPress)(char);
  void (TFrm1::*addClick)();
  void (TFrm1::*removeClick)();
  void (TFrm1::*renameClick)();
  void (TFrm1::*arrowClick)(UpDownButton);
};

// Name box and buttons on top, the list with its arrows below.
QWidget* variableBox(TFrm1& f, Binder& b, const VariableList& v) {
  QGroupBox* box = b.groupBox(v.box, v.names[0]);
  QLineEdit* name = b.edit(v.name, v.names[1]);
  QListWidget* list = b.list(v.list, v.names[2], [&f, m = v.click] { (f.*m)(); });
  name->setAccessibleName(QString::fromLatin1(v.nameCaption));
  list->setAccessibleName(QString::fromLatin1(v.listCaption));
  list->setMinimumHeight(120);
  forwardKeys(name, b, [&f, m = v.keyPress](char key) { (f.*m)(key); });
  forwardKeys(list, b, [&f, m = v.keyPress](char key) { (f.*m)(key); });

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(b.button(v.add, v.names[3], [&f, m = v.addClick] { (f.*m)(); }));
  buttons->addWidget(b.button(v.remove, v.names[4], [&f, m = v.removeClick] { (f.*m)(); }));
  buttons->addWidget(b.button(v.rename, v.names[5], [&f, m = v.renameClick] { (f.*m)(); }));
  buttons->addStretch();

  auto* grid = new QGridLayout(box);
  grid->addWidget(name, 0, 0);
  grid->addWidget(list, 1, 0);
  grid->addWidget(
      b.upDown(v.arrows, v.names[6], [&f, m = v.arrowClick](UpDownButton d) { (f.*m)(d); }), 1, 1);
  grid->addLayout(buttons, 0, 2, 2, 1);
  grid->setRowStretch(1, 1);
  return box;
}

QLayout* reverseScoring(TFrm1& f, Binder& b) {
  auto* grid = new QGridLayout;
  grid->addWidget(b.checkBox(f.ChkSelfM, "ChkSelfM"), 0, 0);
  grid->addWidget(b.checkBox(f.ChkReverseVar, "ChkReverseVar"), 1, 0);
  grid->addWidget(b.button(f.CmdDyVarRev, "CmdDyVarRev", [&f] { f.CmdDyVarRevClick(); }), 1, 1);
  QLabel* sumLabel = b.label(f.LBLRevScore, "LBLRevScore");
  QLineEdit* sum = b.edit(f.TxtRevScore, "TxtRevScore");
  sum->setFixedWidth(sum->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
  sumLabel->setBuddy(sum);
  keepPlaceWhenHidden(sumLabel);
  keepPlaceWhenHidden(sum);
  grid->addWidget(sumLabel, 2, 0, 1, 2);
  grid->addWidget(sum, 2, 2);
  grid->setColumnStretch(3, 1);
  return grid;
}

}  // namespace

QWidget* buildVariablesPage(TFrm1& f, Binder& b) {
  const VariableList dyadic{f.DyadicBox,
                            f.TxtDyVars,
                            f.CmbDyVar,
                            f.CmdDyVarAdd,
                            f.CmdDyVarRem,
                            f.CmdDyVarRename,
                            f.UDDy,
                            {"DyadicBox", "TxtDyVars", "CmbDyVar", "CmdDyVarAdd", "CmdDyVarRem",
                             "CmdDyVarRename", "UDDy"},
                            "Dyadic variable name",
                            "Dyadic variables",
                            &TFrm1::CmbDyVarClick,
                            &TFrm1::TxtDyVarsKeyPress,
                            &TFrm1::CmdDyVarAddClick,
                            &TFrm1::CmdDyVarRemClick,
                            &TFrm1::CmdDyVarRenameClick,
                            &TFrm1::UDDyClick};
  const VariableList personality{f.PersonalityBox,
                                 f.TxtPerVars,
                                 f.CmbPerVar,
                                 f.CmdPerVarAdd,
                                 f.CmdPerVarRem,
                                 f.CmdPerVarRename,
                                 f.UDPer,
                                 {"PersonalityBox", "TxtPerVars", "CmbPerVar", "CmdPerVarAdd",
                                  "CmdPerVarRem", "CmdPerVarRename", "UDPer"},
                                 "Personality variable name",
                                 "Personality variables",
                                 &TFrm1::CmbPerVarClick,
                                 &TFrm1::TxtPerVarsKeyPress,
                                 &TFrm1::CmdPerVarAddClick,
                                 &TFrm1::CmdPerVarRemClick,
                                 &TFrm1::CmdPerVarRenameClick,
                                 &TFrm1::UDPerClick};
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Variables"));
  auto* layout = new QVBoxLayout(page);
  auto* lists = new QHBoxLayout;
  lists->addWidget(variableBox(f, b, dyadic));
  lists->addWidget(variableBox(f, b, personality));
  layout->addLayout(lists, 1);
  layout->addLayout(reverseScoring(f, b));
  return page;
}

}  // namespace wintarvel::view
