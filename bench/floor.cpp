// The floor for this stack: a Qt 6 Widgets program that shows one window of
// the registration window's size and nothing else. The start-up benchmark
// compares Moranote with it. With "--text" the window shows one line of
// text in a label and an edit box as well: the floor of any window with
// text, which must read the font configuration and load a font.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Moranote"));
  window.setFixedSize(322, 123);
  if (text) {
    (new QLabel(QStringLiteral("Moranote"), &window))->setGeometry(128, 0, 173, 18);
    (new QLineEdit(QStringLiteral("2026/12/08 09:00"), &window))->setGeometry(203, 20, 115, 18);
  }
  window.show();
  return QApplication::exec();
}
