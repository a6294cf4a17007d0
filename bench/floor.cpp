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
//   morna_floor --form     the registration window's widget tree -- its
//                          labels, edit boxes, scroll bar, buttons, month
//                          grid and the (hidden) Schedule-2 group with its
//                          combo boxes -- in the same places and fonts, the
//                          Windows fonts named through the same stand-ins,
//                          and nothing else: the floor of that window
//   morna_floor --form --labels N
//                          that widget tree plus N plain windows as above,
//                          their date-time and lines in the label windows'
//                          default fonts: the floor of a start with labels
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
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

// The family a Windows font name comes out as here: itself, or the first
// installed stand-in (Moranote registers the same as aliases).
QString Family(const char* windowsName) {
  static const QStringList installed = QFontDatabase::families();
  struct StandIns {
    const char* family;
    QStringList candidates;
  };
  const StandIns table[] = {
      {"MS Sans Serif", {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"}},
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
      {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}},
      {"ＭＳ ゴシック", {"IPAGothic", "Noto Sans Mono CJK JP"}},
      {"ＭＳ 明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
      {"ＭＳ明朝", {"IPAMincho", "IPAGothic", "Noto Serif CJK JP"}},
  };
  const QString name = QString::fromUtf8(windowsName);
  if (installed.contains(name, Qt::CaseInsensitive)) return name;
  for (const StandIns& s : table)
    if (name == QString::fromUtf8(s.family))
      for (const QString& c : s.candidates)
        if (installed.contains(c, Qt::CaseInsensitive)) return c;
  return name;
}

// A font of the registration window: a stand-in for a Windows font is
// condensed, as Moranote condenses it to keep the texts in their boxes.
QFont Font(const char* windowsName, int pixels, bool bold, bool italic = false) {
  const QString family = Family(windowsName);
  QFont f(family);
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  if (family != QString::fromUtf8(windowsName)) f.setStretch(QFont::Condensed);
  return f;
}

template <class W>
W* At(W* w, int left, int top, int width, int height, const QFont& font) {
  w->setGeometry(left, top, width, height);
  w->setFont(font);
  return w;
}

// The registration window's controls, as Moranote builds them.
void BuildForm(QWidget* window) {
  At(new QLabel(QStringLiteral("Moranote "), window), 128, 0, 173, 18, Font("Arial", 16, true, true));
  At(new QLabel(QStringLiteral("Date & Time"), window), 128, 20, 78, 15, Font("Arial", 12, true));
  At(new QLabel(QStringLiteral("Message"), window), 128, 35, 52, 15, Font("Arial", 12, true));
  At(new QLineEdit(QStringLiteral("2026/12/08 09:00"), window), 203, 20, 115, 18,
     Font("Arial", 13, true));
  (new QScrollBar(Qt::Horizontal, window))->setGeometry(204, 40, 113, 7);
  At(new QPlainTextEdit(window), 128, 52, 190, 35, Font("ＭＳ 明朝", 13, false));
  At(new QRadioButton(QStringLiteral("Schedule-1"), window), 128, 90, 90, 12, Font("Arial", 13, true))
      ->setChecked(true);
  At(new QRadioButton(QStringLiteral("ToDo"), window), 128, 108, 60, 12, Font("Arial", 13, true));
  At(new QRadioButton(QStringLiteral("Schedule-2"), window), 225, 90, 90, 12, Font("Arial", 13, true));
  At(new QPushButton(QStringLiteral("Post"), window), 205, 106, 50, 16, Font("Arial", 13, true));
  At(new QPushButton(QStringLiteral("End"), window), 267, 106, 50, 16, Font("Arial", 13, true));

  auto* grid = new QWidget(window);
  grid->setGeometry(0, 0, 121, 35 + 14 * 6);
  At(new QLabel(QStringLiteral("2026/12"), grid), 5, 0, 101, 20, Font("Arial", 16, true))
      ->setAlignment(Qt::AlignCenter);
  for (int i = 0; i < 2; ++i) {
    auto* arrow = new QToolButton(grid);
    arrow->setArrowType(i == 0 ? Qt::UpArrow : Qt::DownArrow);
    arrow->setGeometry(106, 10 * i, 15, 10);
  }
  const int lefts[7] = {5, 21, 38, 55, 72, 89, 105};
  const char* const week[7] = {"S", "M", "T", "W", "T", "F", "S"};
  for (int i = 0; i < 7; ++i)
    At(new QLabel(QString::fromLatin1(week[i]), grid), lefts[i], 20, 16, 15,
       Font("Times New Roman", 15, true))
        ->setAlignment(Qt::AlignCenter);
  for (int k = 0; k < 42; ++k) {
    const int day = k - 1;  // the 1st on a Tuesday
    At(new QLabel(day >= 1 && day <= 31 ? QString::number(day) : QString(), grid), lefts[k % 7],
       35 + 14 * (k / 7), 16, 14, Font("Times New Roman", 15, true))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  // Below the window's narrow height: built, never seen at start-up.
  auto* group = At(new QGroupBox(QStringLiteral(" Schedule-2"), window), 3, 125, 317, 100,
                   Font("Arial", 13, true));
  const char* const kinds[3] = {"Weekly", "Monthly-1", "Monthly-2"};
  for (int i = 0; i < 3; ++i)
    At(new QRadioButton(QString::fromLatin1(kinds[i]), group), 10, 23 + 25 * i, 80, 17,
       Font("Arial", 13, true));
  QStringList weekdays, halfHours, days, weeks;
  for (const char* d : {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"})
    weekdays << QString::fromLatin1(d);
  for (int i = 0; i < 48; ++i)
    halfHours << QStringLiteral("%1:%2").arg(i / 2, 2, 10, QChar('0')).arg(i % 2 ? 30 : 0, 2, 10, QChar('0'));
  for (int i = 1; i <= 31; ++i) days << QString::number(i);
  for (int i = 1; i <= 5; ++i) weeks << QString::number(i);
  struct Combo {
    int left, top, width;
    const QStringList* items;
  };
  const Combo combos[6] = {{145, 20, 90, &weekdays}, {245, 20, 60, &halfHours},
                           {100, 45, 35, &days},     {245, 45, 60, &halfHours},
                           {100, 70, 35, &weeks},    {145, 70, 90, &weekdays}};
  for (const Combo& c : combos) {
    auto* box = new QComboBox(group);
    box->setGeometry(c.left, c.top, c.width, 20);
    box->addItems(*c.items);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool form = false, text = false;
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--form") == 0) {
      form = true;
    } else if (std::strcmp(argv[i], "--text") == 0) {
      text = true;
    } else if (std::strcmp(argv[i], "--labels") == 0) {
      text = true;
      count = i + 1 < argc && argv[i + 1][0] != '-' ? std::max(0, std::atoi(argv[++i])) : 53;
    }
  }
  QApplication app(argc, argv);

  // The label windows' fonts: the default settings' date-time (bold, 12
  // pixels) and message (9 points) fonts, or the toolkit's default font.
  QFont captionFont, lineFont;
  if (form) {
    captionFont = QFont(Family("MS Sans Serif"));
    captionFont.setPixelSize(12);
    captionFont.setBold(true);
    lineFont = QFont(Family("ＭＳ明朝"));
    lineFont.setPointSize(9);
  } else {
    captionFont.setBold(true);
  }
  std::vector<std::unique_ptr<QWidget>> windows;
  for (int i = 0; i < count; ++i) {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    w->setGeometry(134 * (i / 16), 40 * (i % 16), 130, 36);
    auto* caption = new QLabel(QStringLiteral("2090/01/%1 08:00").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                               w.get());
    caption->setFont(captionFont);
    caption->setGeometry(2, 2, 105, 13);
    auto* lines = new QLabel(QStringLiteral("Label %1\nsecond line").arg(i + 1), w.get());
    if (form) lines->setFont(lineFont);
    lines->setGeometry(3, 15, 125, 20);
    lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w->show();
    windows.push_back(std::move(w));
  }

  MainWindow window;
  window.setWindowTitle(QStringLiteral("Moranote"));
  window.setFixedSize(322, 123);
  if (form) {
    BuildForm(&window);
  } else if (text) {
    (new QLabel(QStringLiteral("Moranote"), &window))->setGeometry(128, 0, 173, 18);
    (new QLineEdit(QStringLiteral("2026/12/08 09:00"), &window))->setGeometry(203, 20, 115, 18);
  }
  window.show();
  return QApplication::exec();
}
