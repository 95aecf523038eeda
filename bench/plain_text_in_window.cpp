// The baseline of the memory measurement: a bare Qt program that shows the whole set file in a
// plain QPlainTextEdit on the second page of a tab widget, filled while that page is hidden and
// then shown, as the program's memo is. No core, no binding: what Qt alone needs for the text.

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFile file(argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString());
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "usage: plain_text_in_window FILE\n");
    return 2;
  }
  QMainWindow window;
  auto* pages = new QTabWidget(&window);
  pages->addTab(new QWidget, QStringLiteral("First"));
  auto* edit = new QPlainTextEdit;
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  pages->addTab(edit, QStringLiteral("Text"));
  window.setCentralWidget(pages);
  window.resize(640, 480);
  window.show();
  QCoreApplication::processEvents();
  {
    QString text = QString::fromLatin1(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit->setPlainText(text);
  }
  QCoreApplication::processEvents();
  pages->setCurrentIndex(1);
  QCoreApplication::processEvents();
  std::printf("%d lines in the editor\n", edit->document()->blockCount());
  return 0;
}
