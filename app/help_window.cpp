#include "app/help_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/window_placement.h"

// The guide is compiled into the view library, which is static: its resources are registered
// here, where they are used, so the linker keeps them.
static void registerHelpResources() {
  Q_INIT_RESOURCE(help);
}

namespace wintarvel::view {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  registerHelpResources();
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("WinTarvel Help"));
  setModal(false);
  setAttribute(Qt::WA_QuitOnClose, false);
  // A window of its own that can be moved beside the main window, with the usual buttons.
  setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);

  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl(QStringLiteral("qrc:/help/guide.html")));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_, 1);
  layout->addWidget(buttons);
  const int line = fontMetrics().lineSpacing();
  resize(48 * fontMetrics().averageCharWidth() + 14 * line, 36 * line);
  keepOnScreen(this);
}

}  // namespace wintarvel::view
