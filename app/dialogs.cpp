#include "app/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/hints.h"
#include "app/latin1.h"

namespace wintarvel::view {

namespace {

// Shows the window while its control is visible; brings it to the front when shown again.
void bindShown(Binder& binder, const Control& control, QDialog* window) {
  binder.watch(control, [window, &control] {
    if (control.visible()) {
      window->show();
      window->raise();
      window->activateWindow();
    } else {
      window->hide();
    }
  });
}

QLabel* fixedLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

FrmOptionsView::FrmOptionsView(TFrmOptions& options, Binder& binder, QWidget* parent)
    : QDialog(parent), options_(options), binder_(binder) {
  setObjectName(QStringLiteral("FrmOptions"));
  setWindowTitle(toQt(options.caption()));
  setModal(false);
  setAttribute(Qt::WA_QuitOnClose, false);

  QLineEdit* path = binder.edit(options.TxttvlPath, "TxttvlPath");
  QLabel* caption = binder.label(options.Label1, "Label1");
  caption->setBuddy(path);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(path, 1);
  pathRow->addWidget(
      binder.button(options.Button1, "Button1", [&options] { options.Button1Click(); }));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* save =
      binder.button(options.CmdOptSave, "CmdOptSave", [&options] { options.CmdOptSaveClick(); });
  buttons->addWidget(save);
  buttons->addWidget(binder.button(options.CmdOptCancel, "CmdOptCancel",
                                   [&options] { options.CmdOptCancelClick(); }));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addLayout(pathRow);
  layout->addLayout(buttons);
  // Fixed size, at least the size the dialog was designed with.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumWidth(425);
  path->setMinimumWidth(320);
  applyHints(this);
  bindShown(binder, options, this);
}

void FrmOptionsView::reject() {
  // The close box and Escape hide the dialog as its Cancel button does, without running it.
  binder_.run([this] { options_.setVisible(false); });
}

AboutBoxView::AboutBoxView(TAboutBox& about, Binder& binder, QWidget* parent)
    : QDialog(parent), about_(about), binder_(binder) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  setModal(false);
  setAttribute(Qt::WA_QuitOnClose, false);

  QLabel* name = fixedLabel(QStringLiteral("WinTarvel"), "Label1", this);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  QLabel* updated = fixedLabel(QStringLiteral("Last updated on 10-10-2006"), "Label2", this);
  QLabel* version = fixedLabel(QStringLiteral("Version %1").arg(QStringLiteral(WINTARVEL_VERSION)),
                               "LblVersion", this);
  QLabel* copyright = fixedLabel(QStringLiteral("Copyright (C) 2006-2025 the WinTarvel developers"),
                                 "Label3", this);
  // The project has no address of its own to give: no contact line rather than a made-up one.
  QLabel* licence =
      fixedLabel(QStringLiteral("Free software under the GNU General Public License,\n"
                                "version 3 or later (GPL-3.0-or-later)."),
                 "LblLicence", this);
  licence->setAlignment(Qt::AlignHCenter);

  auto* ok = new QPushButton(QStringLiteral("Close"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this,
          [this] { binder_.run([this] { about_.OKButtonClick(); }); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  for (QLabel* label : {name, version, updated, copyright, licence}) {
    layout->addWidget(label, 0, Qt::AlignHCenter);
  }
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  bindShown(binder, about, this);
}

void AboutBoxView::reject() {
  binder_.run([this] { about_.OKButtonClick(); });
}

}  // namespace wintarvel::view
