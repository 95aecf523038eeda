// "Basic": study title, number of groups, subgroups, design type and dropped subjects.

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/hints.h"
#include "app/pages.h"

namespace wintarvel::view {

QLabel* staticLabel(const QString& text, const char* name, QWidget* buddy) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  if (buddy != nullptr) setBuddy(label, buddy);
  return label;
}

void setBuddy(QLabel* label, QWidget* buddy) {
  label->setBuddy(buddy);
  // Qt names line edits and combo boxes by their buddy label; an item view only by its own name.
  if (qobject_cast<QAbstractItemView*>(buddy) != nullptr) buddy->setAccessibleName(label->text());
  label->setText(captionWithAccessKey(label, label->text()));
}

void keepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

void groupRadioButtons(QWidget* page) {
  for (QGroupBox* box : page->findChildren<QGroupBox*>()) {
    const QList<QRadioButton*> buttons =
        box->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (buttons.isEmpty()) continue;
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    for (QRadioButton* button : buttons) group->addButton(button);
  }
}

int indicatorIndent(QWidget* button) {
  QStyle* style = button->style();
  return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
}

namespace {

QWidget* studyTitle(TFrm1& f, Binder& b) {
  QGroupBox* box = b.groupBox(f.StudyTitleBox, "StudyTitleBox");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(b.edit(f.TxtProgTitle, "TxtProgTitle"));
  return box;
}

QLayout* groupsAndSubgroups(TFrm1& f, Binder& b) {
  auto* grid = new QGridLayout;
  QLineEdit* groups = b.edit(f.TxtNumGroups, "TxtNumGroups");
  QLineEdit* size1 = b.edit(f.TxtNumSubGroup1, "TxtNumSubGroup1");
  QLineEdit* size2 = b.edit(f.TxtNumSubGroup2, "TxtNumSubGroup2");
  for (QLineEdit* e : {groups, size1, size2})
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
  QLineEdit* name1 = b.edit(f.TxtNameSubGroup1, "TxtNameSubGroup1");
  QLineEdit* name2 = b.edit(f.TxtNameSubGroup2, "TxtNameSubGroup2");
  QLabel* label14 = b.label(f.Label14, "Label14");
  QLabel* label15 = b.label(f.Label15, "Label15");
  for (QWidget* w : std::initializer_list<QWidget*>{name1, name2, label14, label15})
    keepPlaceWhenHidden(w);
  label14->setBuddy(name1);
  label15->setBuddy(name2);

  grid->addWidget(staticLabel(QStringLiteral("Number of Groups"), "LblNumGroups", groups), 0, 0);
  grid->addWidget(groups, 0, 1);
  grid->addWidget(b.label(f.LblNumGroupsRange, "LblNumGroupsRange"), 0, 2, 1, 3);
  grid->addWidget(staticLabel(QStringLiteral("Number in Subgroup 1"), "LblNumSubGroup1", size1), 1,
                  0);
  grid->addWidget(size1, 1, 1);
  grid->addWidget(label14, 1, 3);
  grid->addWidget(name1, 1, 4);
  grid->addWidget(staticLabel(QStringLiteral("Number in Subgroup 2"), "LblNumSubGroup2", size2), 2,
                  0);
  grid->addWidget(size2, 2, 1);
  grid->addWidget(label15, 2, 3);
  grid->addWidget(name2, 2, 4);
  grid->setColumnMinimumWidth(2, 24);
  grid->setColumnStretch(5, 1);
  return grid;
}

QWidget* designType(TFrm1& f, Binder& b) {
  QGroupBox* box = b.groupBox(f.GroupBox14, "GroupBox14");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(b.radio(f.RadDesTy0, "RadDesTy0"));
  layout->addWidget(b.radio(f.RadDesTy1, "RadDesTy1"));
  layout->addWidget(b.radio(f.RadDesTy2, "RadDesTy2"));
  layout->addStretch();
  return box;
}

QLayout* droppedSubjects(TFrm1& f, Binder& b) {
  auto* column = new QVBoxLayout;
  column->addWidget(b.checkBox(f.ChkDropSub, "ChkDropSub"));
  QGroupBox* box = b.groupBox(f.DropSub, "DropSub");
  auto* layout = new QHBoxLayout(box);
  QComboBox* subjects = b.comboBox(f.CmbDrop, "CmbDrop");
  subjects->setMinimumContentsLength(12);
  layout->addWidget(subjects, 1);
  layout->addWidget(b.button(f.CmdDrop, "CmdDrop", [&f] { f.CmdDropClick(); }));
  column->addWidget(box);
  column->addStretch();
  return column;
}

}  // namespace

QWidget* buildBasicPage(TFrm1& f, Binder& b) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("Groups"));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(studyTitle(f, b));
  layout->addLayout(groupsAndSubgroups(f, b));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(designType(f, b), 1);
  bottom->addLayout(droppedSubjects(f, b), 1);
  layout->addLayout(bottom);
  layout->addStretch();
  return page;
}

}  // namespace wintarvel::view
