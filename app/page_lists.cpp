// "Constructs" and "Correlated Errors": the construct list with its member lists, and the three
// lists of the correlated-error pairing.

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "app/pages.h"

namespace wintarvel::view {

namespace {

QLayout* titledList(QLabel* title, QWidget* list, QLabel* subtitle = nullptr) {
  auto* column = new QVBoxLayout;
  setBuddy(title, list);
  column->addWidget(title);
  if (subtitle != nullptr) column->addWidget(subtitle);
  column->addWidget(list, 1);
  return column;
}

QLayout* buttonColumn(std::initializer_list<QWidget*> buttons) {
  auto* column = new QVBoxLayout;
  column->addStretch();
  for (QWidget* button : buttons) column->addWidget(button);
  column->addStretch();
  return column;
}

QLayout* constructList(TFrm1& f, Binder& b) {
  QLineEdit* name = b.edit(f.TxtConstruct, "TxtConstruct");
  QListWidget* list = b.list(f.CmbConst, "CmbConst", [&f] { f.CmdConstSelClick(); });
  list->setAccessibleName(QStringLiteral("Constructs"));
  forwardKeys(name, b, [&f](char key) { f.CmbConstKeyPress(key); });
  forwardKeys(list, b, [&f](char key) { f.CmbConstKeyPress(key); });
  auto* grid = new QGridLayout;
  grid->addWidget(staticLabel(QStringLiteral("Construct"), "LblConstruct", name), 0, 0, 1, 2);
  grid->addWidget(name, 1, 0, 1, 2);
  grid->addWidget(list, 2, 0, 1, 2);
  grid->addWidget(b.button(f.CmdConstAdd, "CmdConstAdd", [&f] { f.CmdConstAddClick(); }), 3, 0);
  grid->addWidget(b.button(f.CmdConstRem, "CmdConstRem", [&f] { f.CmdConstRemClick(); }), 3, 1);
  grid->setRowStretch(2, 1);
  return grid;
}

}  // namespace

QWidget* buildConstructsPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Constructs"));
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(constructList(f, b), 1);
  layout->addSpacing(12);
  layout->addLayout(titledList(staticLabel(QStringLiteral("Variables Not in a Construct"),
                                           "LblVarsNotInConstruct"),
                               b.multiList(f.LstVars, "LstVars")),
                    1);
  layout->addLayout(buttonColumn(
      {b.button(f.CmdVarsConstAdd, "CmdVarsConstAdd", [&f] { f.CmdVarsConstAddClick(); }),
       b.button(f.CmdVarsConstRem, "CmdVarsConstRem", [&f] { f.CmdVarsConstRemClick(); })}));
  QLabel* current = b.label(f.LblConstVar, "LblConstVar");
  QFont bold = current->font();
  bold.setBold(true);
  current->setFont(bold);
  layout->addLayout(
      titledList(staticLabel(QStringLiteral("Variables in Construct"), "LblVarsInConstruct"),
                 b.multiList(f.LstVarsConst, "LstVarsConst"), current),
      1);
  return page;
}

QWidget* buildCorrelatedErrorsPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("CorError"));
  auto* layout = new QVBoxLayout(page);
  auto* lists = new QHBoxLayout;
  lists->addLayout(
      titledList(staticLabel(QStringLiteral("Available Dyadic Variables"), "LblCorAvailVarList"),
                 b.list(f.CorAvailVarList, "CorAvailVarList", [&f] { f.CorAvailVarListClick(); })),
      1);
  lists->addLayout(
      titledList(staticLabel(QStringLiteral("Possibly Correlated Variables"), "LblCorMapVarList"),
                 b.list(f.CorMapVarList, "CorMapVarList", [&f] { f.CorMapVarListClick(); })),
      1);
  lists->addLayout(buttonColumn(
      {b.button(f.PBCorConnect, "PBCorConnect", [&f] { f.PRCorConnectClick(); }),
       b.button(f.PBCorDisconnect, "PBCorDisconnect", [&f] { f.PBCorDisconnectClick(); })}));
  lists->addLayout(titledList(staticLabel(QStringLiteral("Correlated Variables"), "LblCorVarList"),
                              b.list(f.CorVarList, "CorVarList", [&f] { f.CorVarListClick(); })),
                   1);
  layout->addLayout(lists, 1);

  // Hidden: the verification button nothing shows, and the two code records.
  auto* hidden = new QHBoxLayout;
  hidden->addWidget(b.button(f.PBCorConfirm, "PBCorConfirm", [&f] { f.PBCorVerifyClick(); }));
  for (auto [record, name, accessibleName] :
       {std::tuple{&f.ConRecInfo, "ConRecInfo", "Construct code record"},
        std::tuple{&f.CorRecInfo, "CorRecInfo", "Correlated error code record"}}) {
    QLineEdit* edit = b.edit(*record, name);
    edit->setAccessibleName(QString::fromLatin1(accessibleName));
    edit->setReadOnly(true);
    hidden->addWidget(edit);
  }
  layout->addLayout(hidden);
  return page;
}

}  // namespace wintarvel::view
