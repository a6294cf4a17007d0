// The registration window where the desktop is not the one the program was
// first made for: no notification area, a window the window manager
// minimised, notices that must not hold the program up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/ui/pmain_fixture.h"
#include "ui/notice.h"

namespace morna::ui::testing {
namespace {

QMessageBox* Notice() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "Notice" && w->isVisible()) return qobject_cast<QMessageBox*>(w);
  }
  return nullptr;
}

void CloseNotices() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "Notice") delete w;
}

// A point of the window that no control covers.
QPoint EmptyPoint(QWidget& w) {
  for (int y = 2; y < w.height(); y += 3)
    for (int x = 2; x < w.width(); x += 3)
      if (!w.childAt(x, y)) return {x, y};
  return {-1, -1};
}

void RightClickAt(QWidget& w, QPoint at) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.mapToGlobal(at));
  QApplication::sendEvent(&w, &event);
}

using DesktopsTest = PstMainTest;

TEST_F(DesktopsTest, NoNotificationAreaIsToldOnceWithoutHoldingStartUpUp) {
  shell_.fail = true;
  TPstMain& m = Start();
  EXPECT_TRUE(sink_.boxes.empty());  // no modal box
  EXPECT_EQ(Notice(), nullptr);      // nor anything before the event loop runs
  // The icon docks in the loop's first turn and its notice comes in the next.
  for (int turn = 0; turn < 20 && !Notice(); ++turn) QTest::qWait(0);
  QMessageBox* notice = Notice();
  ASSERT_NE(notice, nullptr);
  EXPECT_FALSE(notice->isModal());
  EXPECT_EQ(notice->windowTitle(), "Moranote");
  EXPECT_TRUE(notice->text().startsWith("タスクトレイに登録できません"));
  // The icon waits for an area to appear; start-up went on to the end.
  EXPECT_TRUE(m.TaskTray->Registered());
  EXPECT_FALSE(m.TaskTray->IconAdded());
  EXPECT_FALSE(m.isVisible());
  CloseNotices();
  QTest::qWait(0);
  EXPECT_EQ(Notice(), nullptr);  // once only
}

// Docking waits on the session bus and the display server: the icon docks
// once the event loop runs, after the registration window went out.
TEST_F(DesktopsTest, TheIconDocksOnceTheEventLoopRuns) {
  TPstMain& m = Start();
  m.show();
  EXPECT_FALSE(m.TaskTray->Registered());
  QTest::qWait(0);
  EXPECT_TRUE(m.TaskTray->Registered());
  EXPECT_TRUE(m.TaskTray->IconAdded());
}

TEST_F(DesktopsTest, RightClickInTheEmptyAreaOpensTheIconsMenu) {
  TPstMain& m = Start();
  m.ProgShow->trigger();
  const QPoint empty = EmptyPoint(m);
  ASSERT_NE(empty, QPoint(-1, -1));
  RightClickAt(m, empty);
  EXPECT_TRUE(m.PopupMenu->isVisible());
  m.PopupMenu->hide();
  // A control keeps its own right click (the day cells open the popup).
  RightClickAt(m, m.BtnPost->geometry().center());
  EXPECT_FALSE(m.PopupMenu->isVisible());
  EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(DesktopsTest, AMinimisedWindowComesBack) {
  TPstMain& m = Start();
  m.ProgShow->trigger();
  m.setWindowState(Qt::WindowMinimized);
  m.ProgShow->trigger();
  EXPECT_FALSE(m.isMinimized());
  EXPECT_TRUE(m.isVisible());

  m.setWindowState(Qt::WindowMinimized);
  m.TaskTrayMouseDown(Qt::RightButton, 0, 0);
  EXPECT_FALSE(m.isMinimized());

  // Minimised, then hidden from the menu: shown again, not as an icon.
  m.setWindowState(Qt::WindowMinimized);
  m.ProgHide->trigger();
  m.ProgShowClick();
  EXPECT_TRUE(m.isVisible());
  EXPECT_FALSE(m.isMinimized());
}

TEST(Notice, GoesWithTheWindowItWasFor) {
  auto* owner = new QWidget;
  ShowNotice(owner, "x");
  delete owner;  // before the event loop ran
  QTest::qWait(0);
  EXPECT_EQ(Notice(), nullptr);

  owner = new QWidget;
  ShowNotice(owner, "y");
  QTest::qWait(0);
  ASSERT_NE(Notice(), nullptr);
  EXPECT_EQ(Notice()->parent(), nullptr);  // not over the window it is for
  delete owner;
  QTest::qWait(0);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Notice(), nullptr);
}

}  // namespace
}  // namespace morna::ui::testing
