// A label window's message box draws what a borderless read-only plain text
// box showed, pixel for pixel, scrolls like it, and reports a click.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "ui/controls.h"
#include "ui/memoview.h"

namespace morna::ui {
namespace {

const QColor kYellow(0xFF, 0xFF, 0xC0);

// The text box the label windows used to show their message in.
struct Boxes {
  QWidget window;
  QPlainTextEdit* edit = new QPlainTextEdit(&window);
  TMemoView* view = new TMemoView(&window);

  Boxes(QSize size, const QFont& font, const QStringList& lines) {
    window.resize(2 * size.width() + 10, size.height());
    edit->setFrameShape(QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->document()->setDocumentMargin(0);
    edit->setReadOnly(true);
    edit->setGeometry(QRect(QPoint(0, 0), size));
    view->setGeometry(QRect(QPoint(size.width() + 10, 0), size));
    for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(view)}) {
      QPalette pal = w->palette();
      pal.setColor(QPalette::Base, kYellow);
      pal.setColor(QPalette::Window, kYellow);
      w->setPalette(pal);
      w->setFont(font);
    }
    SetMemoLines(edit, lines);
    view->SetLines(lines);
    window.show();
  }
  // How many pixels differ between the two boxes.
  int Differences() const {
    const QImage a = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage b = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  }
};

QFont PointFont(const QString& family, int points) {
  QFont f(family);
  f.setPointSize(points);
  return f;
}

void Wheel(QWidget* w, int delta) {
  QWheelEvent e(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

TEST(MemoViewTest, DrawsWhatTheTextBoxDrew) {
  const QString longWord(300, QChar('x'));
  struct Case {
    const char* name;
    QSize size;
    QFont font;
    QStringList lines;
  };
  const Case cases[] = {
      {"two short lines", {125, 18}, LabelFaceMemoFont(), {"Label 1", "second line"}},
      {"Japanese, broken between characters", {170, 26}, LabelFaceMemoFont(),
       {QStringLiteral("買い物リストを確認してから出かける、牛乳と卵とパンを忘れずに")}},
      {"words broken at their boundaries", {125, 40}, PointFont(QStringLiteral("ＭＳ明朝"), 9),
       {QStringLiteral("the quick brown fox jumps over the lazy dog again and again")}},
      {"a word longer than any line", {170, 60}, LabelFaceMemoFont(),
       {QStringLiteral("short words here"), longWord + QStringLiteral(" tail")}},
      {"an empty last line", {170, 40}, LabelFaceMemoFont(), {"a", ""}},
      {"no lines", {170, 26}, LabelFaceMemoFont(), {}},
      {"controls and separators", {170, 120}, LabelFaceMemoFont(),
       {QStringLiteral("tab\there"), QStringLiteral("cr\rinside"), QStringLiteral("crlf\r\nx"),
        QString("para") + QChar(0x2029) + "sep", QString("line") + QChar(0x2028) + "sep",
        QString("nbsp") + QChar(0xA0) + "x  trailing   "}},
      {"more lines than fit", {125, 18}, PointFont("Arial", 12),
       {"one", "two", "three", "four", "five", "six"}},
      {"a large font in a small box", {60, 30}, PointFont("Arial", 30), {"Wide"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Boxes boxes(c.size, c.font, c.lines);
    EXPECT_EQ(boxes.Differences(), 0);
    EXPECT_EQ(boxes.view->Lines(), c.lines);
  }
}

TEST(MemoViewTest, TheWheelScrollsALongMessageByLinesAsTheTextBoxDid) {
  QStringList lines;
  for (int i = 1; i <= 12; ++i) lines << QStringLiteral("line %1").arg(i);
  Boxes boxes({125, 60}, LabelFaceMemoFont(), lines);
  EXPECT_EQ(boxes.view->TopLine(), 0);

  Wheel(boxes.edit->viewport(), -120);
  Wheel(boxes.view, -120);
  EXPECT_EQ(boxes.view->TopLine(), QApplication::wheelScrollLines());
  EXPECT_EQ(boxes.Differences(), 0);

  // Never past the point where the last line stands at the bottom.
  for (int i = 0; i < 5; ++i) {
    Wheel(boxes.edit->viewport(), -120);
    Wheel(boxes.view, -120);
  }
  EXPECT_EQ(boxes.view->TopLine(), boxes.view->MaxTopLine());
  EXPECT_EQ(boxes.Differences(), 0);

  Wheel(boxes.edit->viewport(), 120);
  Wheel(boxes.view, 120);
  EXPECT_EQ(boxes.Differences(), 0);

  // Lines that did not change stay where they were scrolled; new ones start
  // at the top. The lines counted are the lines as broken.
  boxes.view->SetLines(lines);
  EXPECT_GT(boxes.view->TopLine(), 0);
  boxes.view->SetLines({QString(80, QChar(u'あ'))});
  EXPECT_EQ(boxes.view->TopLine(), 0);
  EXPECT_GT(boxes.view->MaxTopLine(), 2);
  boxes.view->SetLines({"short"});
  EXPECT_EQ(boxes.view->MaxTopLine(), 0);
  Wheel(boxes.view, -120);
  EXPECT_EQ(boxes.view->TopLine(), 0);
}

TEST(MemoViewTest, KeysScrollAndScreenReadersReadTheMessage) {
  QStringList lines;
  for (int i = 1; i <= 8; ++i) lines << QStringLiteral("line %1").arg(i);
  Boxes boxes({125, 36}, LabelFaceMemoFont(), lines);
  TMemoView* view = boxes.view;
  QTest::keyClick(view, Qt::Key_Down);
  EXPECT_EQ(view->TopLine(), 1);
  QTest::keyClick(view, Qt::Key_End);
  EXPECT_EQ(view->TopLine(), view->MaxTopLine());
  QTest::keyClick(view, Qt::Key_PageUp);
  EXPECT_LT(view->TopLine(), view->MaxTopLine());
  QTest::keyClick(view, Qt::Key_Home);
  EXPECT_EQ(view->TopLine(), 0);

  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::StaticText);
  EXPECT_EQ(a->text(QAccessible::Name), lines.join('\n'));
  view->setAccessibleName(QStringLiteral("message"));
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("message"));
  EXPECT_EQ(a->text(QAccessible::Value), lines.join('\n'));
}

}  // namespace
}  // namespace morna::ui
