// The floor for this stack: a Qt 6 Widgets program that shows one window of
// the registration window's size and nothing else. The start-up benchmark
// compares Moranote with it.
//
//   morna_floor            the bare window
//   morna_floor --text     the window with one line of text in a label and an
//                          edit box: the floor of any window with text, which
//                          must read the font configuration and load a font
//   morna_floor --labels N the text window plus N frameless tool windows of a
//                          label window's size, each with a bold date-time
//                          and two lines of text (default N = 53), shown
//                          before the text window as Moranote shows its
//                          label windows before the registration window
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Tool windows may or may not count for the toolkit's quit on the last
// window closed; the bench closes this window and expects the program to end.
class MainWindow : public QWidget {
 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    QCoreApplication::quit();
  }
};

}  // namespace

int main(int argc, char** argv) {
  const bool labels = argc > 1 && std::strcmp(argv[1], "--labels") == 0;
  const bool text = labels || (argc > 1 && std::strcmp(argv[1], "--text") == 0);
  const int count = labels ? (argc > 2 ? std::max(0, std::atoi(argv[2])) : 53) : 0;
  QApplication app(argc, argv);

  std::vector<std::unique_ptr<QWidget>> windows;
  QFont bold;
  bold.setBold(true);
  for (int i = 0; i < count; ++i) {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    w->setGeometry(134 * (i / 16), 40 * (i % 16), 130, 36);
    auto* caption = new QLabel(QStringLiteral("2090/01/%1 08:00").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                               w.get());
    caption->setFont(bold);
    caption->setGeometry(2, 2, 105, 13);
    auto* lines = new QLabel(QStringLiteral("Label %1\nsecond line").arg(i + 1), w.get());
    lines->setGeometry(3, 15, 125, 20);
    lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w->show();
    windows.push_back(std::move(w));
  }

  MainWindow window;
  window.setWindowTitle(QStringLiteral("Moranote"));
  window.setFixedSize(322, 123);
  if (text) {
    (new QLabel(QStringLiteral("Moranote"), &window))->setGeometry(128, 0, 173, 18);
    (new QLineEdit(QStringLiteral("2026/12/08 09:00"), &window))->setGeometry(203, 20, 115, 18);
  }
  window.show();
  return QApplication::exec();
}
