// The label windows on the desktop: built from the table and the settings,
// clicked, closed by the window system and rebuilt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "core/access.h"
#include "ui/codec.h"

namespace morna::ui {
namespace {

constexpr WinColor kD = 0x00C0C0C0, kT = 0x00FFFF00, kA = 0x0000FF00;
constexpr WinColor kRed = 255, kPink = 16728319;

class PostWindowsTest : public ::testing::Test {
 protected:
  PostWindowsTest() {
    state.Clock = [] { return MakeDateTime(2030, 6, 15, 8, 54, 40); };
    state.ScreenArea = [] { return Rect{0, 0, 1024, 738}; };
    state.Timer.DisplayBaseTime = state.Now();
    state.Settings.Dcolor = kD;
    state.Settings.Tcolor = kT;
    state.Settings.Acolor = kA;
    QObject::connect(&windows, &PostWindows::modifyRequested,
                     [this](const PopupLabel& label) { popup.ShowLabel(label); });
    QObject::connect(&windows, &PostWindows::mesgClicked,
                     [this](const QStringList& lines) { copied = lines; });
  }
  void AddLabel(int n, const char* time, std::vector<std::string> lines) {
    state.Labels.Table().Slot(n).DateTimeText = time;
    state.Labels.Table().Slot(n).Lines = std::move(lines);
  }
  static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  AppState state;
  TPstPsub popup;
  QStringList copied;
  PostWindows windows{state};
};

// A label window's frame shows exactly the pixels of a rectangle stroked
// with its pen inside its bounds over its fill, at any size and pen width,
// down to frames no wider than their outline.
TEST(LabelFrame, PaintsTheSamePixelsAsAStrokedRectangle) {
  for (const int penWidth : {0, 1, 2, 3}) {
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(4, 4), QSize(5, 9), QSize(130, 36)}) {
      TShape shape(nullptr, kLightYellow, kDarkNavy, penWidth);
      shape.resize(size);
      QImage drawn(size, QImage::Format_RGB32);
      drawn.fill(Qt::white);
      shape.render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());  // no background

      QImage stroked(size, QImage::Format_RGB32);
      stroked.fill(Qt::white);
      QPainter p(&stroked);
      const qreal half = penWidth / 2.0;
      p.setBrush(ToQColor(kLightYellow));
      QPen pen(ToQColor(kDarkNavy), penWidth);
      pen.setJoinStyle(Qt::MiterJoin);
      p.setPen(penWidth > 0 ? pen : QPen(Qt::NoPen));
      p.drawRect(QRectF(0, 0, size.width(), size.height()).adjusted(half, half, -half, -half));
      p.end();
      EXPECT_EQ(drawn, stroked) << "pen " << penWidth << ", " << size.width() << "x"
                                << size.height();
    }
  }
}

// The focus ring is made at a window's first focus, in the colour that
// stands out on the window's colour as it is by then.
TEST(LabelFocusRing, TakesTheColourOfAWindowRecolouredBeforeItsFirstFocus) {
  TPstPost w;
  w.SetColors(kNavy, kWhite);
  ASSERT_EQ(w.findChild<QWidget*>("FocusRing"), nullptr);
  QFocusEvent in(QEvent::FocusIn);
  QApplication::sendEvent(&w, &in);
  auto* ring = w.findChild<QWidget*>("FocusRing");
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(ring->grab().toImage().pixelColor(1, 1), ToQColor(FocusRingColor(kNavy)));
  EXPECT_EQ(ToQColor(FocusRingColor(kNavy)), QColor(Qt::white));
}

TEST_F(PostWindowsTest, WindowsStandWhereAndLookHowTheSettingsSay) {
  AddLabel(0, "1900/12/01 00:00", {ToSjis(QStringLiteral("買い物")), "milk"});
  AddLabel(1, "2030/06/15 08:00", {"past"});
  AddLabel(2, "2030/06/15 08:57", {"soon"});
  AddLabel(3, "2030/06/15 12:00", {"today"});
  AddLabel(4, "2030/06/20 09:00", {"later"});
  windows.DisplayData();

  ASSERT_EQ(windows.Count(), 5);
  EXPECT_EQ(state.AlarmWindowCount, 0);
  const std::vector<std::string> captions = windows.Captions();
  EXPECT_EQ(captions[0], "    ToDo");
  EXPECT_EQ(captions[4], "2030/06/20 09:00");
  struct Look { WinColor color, caption; };
  const Look looks[5] = {{kD, kRed}, {kT, kRed}, {kT, kPink}, {kA, 0}, {kD, 0}};
  for (int k = 0; k < 5; ++k) {
    TPstPost* w = windows.At(k);
    SCOPED_TRACE(k);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(892, 37 * k, 130, 36));  // Area 2, Small
    EXPECT_EQ(w->Color(), ToQColor(looks[k].color));
    EXPECT_EQ(w->Shape1->Fill(), ToQColor(looks[k].color));
    EXPECT_EQ(w->CaptionColor(), ToQColor(looks[k].caption));
    EXPECT_EQ(w->Shape1->size(), QSize(130, 36));
    EXPECT_EQ(w->PostMesg->size(), QSize(125, 18));
    EXPECT_EQ(w->PostMesg->font().family(), QStringLiteral("ＭＳ明朝"));
    EXPECT_EQ(w->PostMesg->font().pointSize(), 9);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  }
  EXPECT_EQ(windows.At(0)->Lines(), (QStringList{QStringLiteral("買い物"), "milk"}));
  EXPECT_EQ(windows.At(5), nullptr);
}

TEST_F(PostWindowsTest, AlarmWindowsComeFirstAndABadWeekdayKeepsTheDesignLines) {
  state.Settings.DailyAlarm = 1;
  state.Settings.DATime = "07:30";
  state.Settings.WeeklyAlarm = 1;
  state.Settings.WeeklyAlarmW = 9;
  state.Settings.MonthlyAlarm2 = 1;
  state.Settings.MonthlyAlarmWeek = 2;
  state.Settings.MonthlyAlarmW = 6;
  state.Settings.MonthlyAlarmT2 = "18:00";
  AddLabel(0, "2030/06/20 09:00", {"later"});
  windows.DisplayData();

  ASSERT_EQ(windows.Count(), 4);
  EXPECT_EQ(state.AlarmWindowCount, 3);
  EXPECT_EQ(windows.At(0)->Lines(), QStringList{QStringLiteral("毎日 07:30")});
  EXPECT_EQ(windows.At(1)->Lines(), (QStringList{QStringLiteral("この領域は、メモの情報を記"),
                                                 QStringLiteral("録しておく領域です。")}));
  EXPECT_EQ(windows.At(2)->Lines(), QStringList{QStringLiteral("毎月 第2金曜日 18:00")});
  EXPECT_EQ(windows.At(2)->Caption(), QStringLiteral("    Alarm"));
  EXPECT_EQ(windows.At(2)->Color(), ToQColor(kT));
  EXPECT_EQ(windows.At(2)->CaptionColor(), ToQColor(kRed));
  EXPECT_EQ(windows.At(3)->Caption(), QStringLiteral("2030/06/20 09:00"));
  EXPECT_EQ(windows.At(3)->geometry().topLeft(), QPoint(892, 3 * 37));
}

TEST_F(PostWindowsTest, ARebuildDestroysEveryOldWindowOnce) {
  AddLabel(0, "2030/06/20 09:00", {"a"});
  state.Settings.DailyAlarm = 1;
  windows.DisplayData();
  QPointer<TPstPost> old0 = windows.At(0), old1 = windows.At(1);

  windows.DeleteDisplayData();
  EXPECT_EQ(windows.Count(), 0);
  EXPECT_TRUE(old0.isNull());
  EXPECT_TRUE(old1.isNull());

  AddLabel(1, "2030/06/21 09:00", {"b"});
  windows.DisplayData();
  QPointer<TPstPost> mid = windows.At(2);
  // A build without a removal first still leaves no window behind.
  windows.DisplayData();
  EXPECT_TRUE(mid.isNull());
  ASSERT_EQ(windows.Count(), 3);
  EXPECT_EQ(windows.At(2)->Caption(), QStringLiteral("2030/06/21 09:00"));
}

TEST_F(PostWindowsTest, AWindowClosedByTheUserIsSkippedAndNotDestroyedTwice) {
  for (int n = 0; n < 3; ++n) AddLabel(n, "2030/06/20 09:00", {std::to_string(n)});
  windows.DisplayData();
  QPointer<TPstPost> closed = windows.At(1);
  closed->close();
  // Before and after its own deletion has run, the place stays but is empty.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(windows.Count(), 3);
    EXPECT_EQ(windows.At(1), nullptr);
    EXPECT_EQ(windows.Captions(), (std::vector<std::string>{"2030/06/20 09:00", "", "2030/06/20 09:00"}));
    windows.Recolor(1, kT, kRed);
    windows.Recolor(2, kT, kPink);
    windows.Recolor(-1, kT, kRed);
    windows.Recolor(3, kT, kRed);
    FlushDeletes();
    EXPECT_TRUE(closed.isNull());
  }
  EXPECT_EQ(windows.At(2)->Color(), ToQColor(kT));
  EXPECT_EQ(windows.At(2)->CaptionColor(), ToQColor(kPink));

  // Closed, but its deletion still pending when the set is removed.
  windows.DisplayData();
  closed = windows.At(0);
  closed->close();
  windows.DeleteDisplayData();
  EXPECT_TRUE(closed.isNull());
  FlushDeletes();
}

TEST_F(PostWindowsTest, ARebuildAfterATakeDownRefillsTheWindowsAtTheirPlaces) {
  AddLabel(0, "2030/06/20 09:00", {"a"});
  AddLabel(1, "2030/06/21 09:00", {"b"});
  windows.DisplayData();
  QPointer<TPstPost> first = windows.At(0), second = windows.At(1);

  // A label before both: each place keeps its window with the label now due
  // there, and the last place gets a new one.
  windows.TakeDown();
  EXPECT_EQ(windows.Count(), 0);
  AddLabel(0, "2030/06/19 09:00", {"c"});
  AddLabel(1, "2030/06/20 09:00", {"a"});
  AddLabel(2, "2030/06/21 09:00", {"b"});
  windows.DisplayData();
  ASSERT_EQ(windows.Count(), 3);
  EXPECT_EQ(windows.At(0), first.data());
  EXPECT_EQ(windows.At(1), second.data());
  EXPECT_EQ(windows.At(0)->Caption(), QStringLiteral("2030/06/19 09:00"));
  EXPECT_EQ(windows.At(0)->Lines(), QStringList{"c"});
  EXPECT_EQ(windows.At(2)->Lines(), QStringList{"b"});
  EXPECT_EQ(windows.At(2)->geometry().topLeft(), QPoint(892, 2 * 37));

  // A window the user closed is never re-filled: the one behind it moves up.
  QPointer<TPstPost> closed = windows.At(1), last = windows.At(2);
  closed->close();
  windows.TakeDown();
  state.Labels.Table().Slot(2).Clear();
  windows.DisplayData();
  EXPECT_EQ(windows.At(1), last.data());
  EXPECT_EQ(windows.At(1)->geometry().topLeft(), QPoint(892, 37));

  // Windows a build does not need go, also when no build follows.
  QPointer<TPstPost> kept = windows.At(0);
  windows.TakeDown();
  state.Labels.Table().Slot(1).Clear();
  windows.DisplayData();
  EXPECT_EQ(windows.At(0), kept.data());
  EXPECT_TRUE(last.isNull());
  windows.TakeDown();
  EXPECT_FALSE(kept.isNull());
  QCoreApplication::sendPostedEvents();  // the next turn of the event loop
  EXPECT_TRUE(kept.isNull());
  FlushDeletes();
}

TEST_F(PostWindowsTest, ClicksOpenThePopupOrCopyTheMessage) {
  state.Settings.DailyAlarm = 1;
  state.Settings.DATime = "07:30";
  AddLabel(0, "2030/06/20 09:00", {"one", "two"});
  AddLabel(1, "1900/12/01 00:00", {"todo"});
  windows.DisplayData();

  TPstPost* alarm = windows.At(0);
  QTest::mouseClick(alarm->Shape1, Qt::RightButton, {}, QPoint(120, 5));
  QTest::mouseClick(alarm->PostDataTime, Qt::LeftButton);
  EXPECT_FALSE(popup.isVisible());
  QTest::mouseClick(alarm->PostMesg, Qt::LeftButton);
  EXPECT_EQ(copied, QStringList{QStringLiteral("毎日 07:30")});

  QTest::mouseClick(windows.At(1)->PostDataTime, Qt::LeftButton);
  ASSERT_TRUE(popup.isVisible());
  EXPECT_EQ(popup.Caption(), QStringLiteral("2030/06/20 09:00"));
  EXPECT_EQ(popup.Lines(), (QStringList{"one", "two"}));
  const QSize screen = QGuiApplication::primaryScreen()->size();
  EXPECT_EQ(popup.pos(), QPoint((screen.width() - 175) / 2, (screen.height() - 120) / 2));

  QTest::mouseClick(windows.At(2)->Shape1, Qt::MiddleButton, {}, QPoint(120, 5));
  EXPECT_EQ(popup.Caption(), QStringLiteral("    ToDo"));
  EXPECT_EQ(popup.Lines(), QStringList{"todo"});
  popup.hide();
}

}  // namespace
}  // namespace morna::ui
