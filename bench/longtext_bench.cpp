// How long the memo boxes take to break the lines of a text without line
// breaks: 64 KiB, 256 KiB and 1 MiB, in the 400-pixel box, a label window's
// box (170 px) and the registration window's message box (a paste, with and
// without its limit). With the toolkit's usual wrapping the 64 KiB case is
// shown for comparison (the larger ones would take minutes). Prints times;
// the growth should be about linear. Run: longtext_bench [-platform offscreen]
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

#include "ui/controls.h"
#include "ui/fonts.h"

namespace {

using morna::ui::SetMemoLines;
using morna::ui::TLimitedMemo;

double Ms(QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

// A read-only box of `width` filled the way the label windows are, or
// (`plain`) with the toolkit's own wrapping, whatever the text.
double Fill(int width, const QString& text, bool plain = false) {
  QPlainTextEdit box;
  box.setReadOnly(true);
  box.resize(width, 26);
  box.show();
  QElapsedTimer t;
  t.start();
  if (plain) box.document()->setPlainText(text);
  else SetMemoLines(&box, {text});
  QApplication::processEvents();
  return Ms(t);
}

double Paste(int limit, const QString& text) {
  TLimitedMemo box(limit);
  box.resize(190, 35);
  box.show();
  QApplication::clipboard()->setText(text);
  QElapsedTimer t;
  t.start();
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
  QApplication::processEvents();
  const double ms = Ms(t);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("Notice")) delete w;
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  morna::ui::InstallFontStandIns();
  std::printf("%8s %12s %12s %12s %14s\n", "size", "400 px", "label 170", "paste", "paste, limit");
  for (int kib : {64, 256, 1024}) {
    const QString text(kib * 1024, QChar('x'));
    std::printf("%5d KiB %9.1f ms %9.1f ms %9.1f ms %11.1f ms\n", kib, Fill(400, text),
                Fill(170, text), Paste(1 << 30, text), Paste(morna::ui::kMessageLimit, text));
    std::fflush(stdout);
  }
  const QString text(64 * 1024, QChar('x'));
  std::printf("toolkit's usual wrapping, 64 KiB: 400 px %.1f ms, 170 px %.1f ms\n",
              Fill(400, text, true), Fill(170, text, true));
  return 0;
}
