// The floor for this stack: a Qt 6 Widgets program that shows one window of
// the registration window's size and nothing else. The start-up benchmark
// compares Moranote with it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Moranote"));
  window.setFixedSize(322, 123);
  window.show();
  return QApplication::exec();
}
