// The least a Qt Widgets program of this shape does at start-up: an empty main window holding one
// tab widget, ended when it has been painted and the event loop is idle. With --tabs the tab
// widget gets the program's eight page captions, so that a font is matched and text is drawn,
// as in any program that shows text.

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <cstring>

#include "bench/quit_when_idle.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  new wintarvel::bench::QuitWhenIdle(app);
  QMainWindow window;
  auto* tabs = new QTabWidget(&window);
  if (argc == 2 && std::strcmp(argv[1], "--tabs") == 0) {
    for (const char* caption : {"Basic", "Variables", "Data Format", "Output", "Constructs",
                                "Correlated Errors", "Reorder", "File Names"}) {
      tabs->addTab(new QWidget, QString::fromLatin1(caption));
    }
  }
  window.setCentralWidget(tabs);
  window.show();
  return QApplication::exec();
}
