// What screen readers see of the windows (through the toolkit's
// accessibility, as AT-SPI reads it) and what the keyboard alone reaches.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include "tests/ui/pmain_fixture.h"
#include "ui/Pcal.h"
#include "ui/Pinit.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"

namespace morna::ui::testing {
namespace {

// The accessible objects under `root` that show, whose name is empty, as
// "role objectName" lines. The toolkit's own plumbing (its objects are named
// "qt_...", as the viewport of a text box) is no control.
std::string Unnamed(QAccessibleInterface* root) {
  QStringList out;
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* a) {
    for (int i = 0; i < a->childCount(); ++i) {
      QAccessibleInterface* c = a->child(i);
      if (!c || c->state().invisible) continue;
      const QString name = c->object() ? c->object()->objectName() : QString();
      if (name.startsWith(QLatin1String("qt_"))) continue;
      if (c->text(QAccessible::Name).trimmed().isEmpty()) {
        out << QStringLiteral("%1 %2").arg(c->role()).arg(c->object() ? c->object()->objectName()
                                                                       : QStringLiteral("?"));
      }
      walk(c);
    }
  };
  walk(root);
  return out.join(QLatin1Char(',')).toStdString();
}

std::string UnnamedIn(QWidget* w) { return Unnamed(QAccessible::queryAccessibleInterface(w)); }

// Every accessible event raised while it lives, as (object, type).
class Events {
 public:
  Events() {
    seen_ = this;
    old_ = QAccessible::installUpdateHandler(&Events::Handle);
  }
  ~Events() {
    QAccessible::installUpdateHandler(old_);
    seen_ = nullptr;
  }
  int Count(QObject* o, QAccessible::Event type) const {
    return static_cast<int>(std::count(list.begin(), list.end(), std::make_pair(o, type)));
  }
  std::vector<std::pair<QObject*, QAccessible::Event>> list;

 private:
  static void Handle(QAccessibleEvent* e) {
    if (seen_) seen_->list.emplace_back(e->object(), e->type());
  }
  static inline Events* seen_ = nullptr;
  QAccessible::UpdateHandler old_ = nullptr;
};

class AccessTest : public PstMainTest {
 protected:
  // As when a screen reader listens: events are raised only then.
  static void Listen(bool on) {
    if (QPlatformAccessibility* a = QGuiApplicationPrivate::platformIntegration()->accessibility())
      a->setActive(on);
  }
  void SetUp() override {
    PstMainTest::SetUp();
    Listen(true);
  }
  void TearDown() override {
    Listen(false);
    PstMainTest::TearDown();
  }
  // Two labels in the label file: one at 09:00 today, a few minutes ahead.
  TPstMain& StartWithLabels() {
    now_ = MakeDateTime(2030, 6, 15, 8, 54, 40);
    WriteFile("Dpstitdt.dat", "Time=2030/06/15 09:00\r\nMemo=" + ToSjis(QStringLiteral("会議")) +
                                  "\r\nMemo=room 3\r\nTime=2030/06/20 10:00\r\nMemo=later\r\n");
    return Start();
  }
  // Window activation comes through the event loop.
  static bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 100 && !done(); ++i) QTest::qWait(10);
    return done();
  }
};

TEST_F(AccessTest, EveryVisibleControlOfEachWindowHasAName) {
  TPstMain& m = StartWithLabels();
  m.SetOuterHeight(TPstMain::kTallHeight);  // with the Schedule-2 group
  m.show();
  EXPECT_EQ(UnnamedIn(&m), "");
  EXPECT_FALSE(m.Day[20]->accessibleName().isEmpty());

  TPstPost* post = m.Windows().At(0);
  ASSERT_NE(post, nullptr);
  EXPECT_EQ(UnnamedIn(post), "");

  TPstPsub& popup = m.Popup();
  popup.ShowLabel(post->Label());
  EXPECT_EQ(UnnamedIn(&popup), "");

  TPstInit dialog(state_);
  dialog.LblVersion1->setText(QStringLiteral("version"));  // as the registration window does
  dialog.LblVersion2->setText(QStringLiteral("version"));
  dialog.show();
  for (int i = 0; i < dialog.PageControl1->count(); ++i) {
    dialog.PageControl1->setCurrentIndex(i);
    EXPECT_EQ(UnnamedIn(&dialog), "") << dialog.PageControl1->tabText(i).toStdString();
  }

  m.YYMMClick();  // the calendar window
  EXPECT_EQ(UnnamedIn(&m.Calendar()), "");
}

TEST_F(AccessTest, DayCellsAreNamedByDateHolidayAndLabels) {
  state_.Settings.NationalHolidays = 1;
  TPstMain& m = StartWithLabels();  // June 2030: the 1st is a Saturday
  EXPECT_EQ(m.Day[20]->accessibleName(), QStringLiteral("6月15日 (土) 今日, 1件のラベル"));
  EXPECT_EQ(m.Day[0]->accessibleName(), QStringLiteral("空白"));
  m.YYMMClick();
  EXPECT_EQ(m.Calendar().CalDay[25]->accessibleName(), QStringLiteral("6月20日 (木) 1件のラベル"));
  EXPECT_EQ(m.Calendar().CalMemo[25]->accessibleName(), m.Calendar().CalDay[25]->accessibleName());
}

TEST_F(AccessTest, ALabelWindowIsAWindowNamedByItsLabelWithItsState) {
  TPstMain& m = StartWithLabels();
  TPstPost* soon = m.Windows().At(0);
  TPstPost* later = m.Windows().At(1);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(soon);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Window);
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("2030/06/15 09:00 会議 room 3"));
  EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("今日の予定。Enterキーで修正・削除"));
  EXPECT_EQ(later->State(), LabelState::Plain);

  // Its press action opens the popup, as Enter does.
  QAccessibleActionInterface* actions = a->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(m.Popup().isVisible());
  EXPECT_EQ(m.Popup().Caption(), QStringLiteral("2030/06/15 09:00"));
}

TEST_F(AccessTest, TheTimersStateChangesAndAlarmsAreTold) {
  TPstMain& m = StartWithLabels();
  TPstPost* soon = m.Windows().At(0);
  Events events;
  now_ = MakeDateTime(2030, 6, 15, 8, 55, 5);  // the warning minute: the alarm sounds
  m.SchTimerTimer();
  EXPECT_EQ(soon->State(), LabelState::Warning);
  EXPECT_EQ(soon->accessibleDescription(), QStringLiteral("まもなく時刻です。Enterキーで修正・削除"));
  EXPECT_EQ(events.Count(soon, QAccessible::DescriptionChanged), 1);
  EXPECT_EQ(events.Count(soon, QAccessible::Alert), 1);  // the warning's alarm
  EXPECT_EQ(events.Count(m.Windows().At(1), QAccessible::DescriptionChanged), 0);

  events.list.clear();
  now_ = MakeDateTime(2030, 6, 15, 8, 56, 5);  // still warned: nothing new to tell
  m.SchTimerTimer();
  EXPECT_TRUE(events.list.empty());

  now_ = MakeDateTime(2030, 6, 15, 9, 0, 5);  // due, with its alarm: one alert
  state_.Settings.Beep = 0;
  m.SchTimerTimer();
  EXPECT_EQ(soon->State(), LabelState::Due);
  EXPECT_EQ(events.Count(soon, QAccessible::DescriptionChanged), 1);
  EXPECT_EQ(events.Count(soon, QAccessible::Alert), 1);
}

TEST_F(AccessTest, ANewLabelInAWindowChangesItsName) {
  TPstMain& m = StartWithLabels();
  TPstPost* w = m.Windows().At(1);
  Events events;
  state_.Labels.Table().Slot(1).Lines = {"moved"};
  m.Windows().TakeDown();
  m.Windows().DisplayData();
  ASSERT_EQ(m.Windows().At(1), w);  // the same window, re-filled
  EXPECT_EQ(w->accessibleName(), QStringLiteral("2030/06/20 10:00 moved"));
  EXPECT_EQ(events.Count(w, QAccessible::NameChanged), 1);
  EXPECT_EQ(events.Count(w, QAccessible::Alert), 0);  // a rebuild alerts nobody
}

TEST_F(AccessTest, F6GoesThroughTheLabelWindowsAndEnterOpensThePopup) {
  TPstMain& m = StartWithLabels();
  m.show();
  m.activateWindow();
  QSignalSpy left(&m.Windows(), &PostWindows::leaveRequested);

  auto* f6 = m.findChild<QShortcut*>("KeyLabels");
  ASSERT_NE(f6, nullptr);
  EXPECT_EQ(f6->key(), QKeySequence(Qt::Key_F6));
  emit f6->activated();
  TPstPost* first = m.Windows().At(0);
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == first; }));
  EXPECT_TRUE(first->findChild<QWidget*>("FocusRing")->isVisible());

  QTest::keyClick(first, Qt::Key_F6);
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == m.Windows().At(1); }));
  EXPECT_FALSE(first->findChild<QWidget*>("FocusRing")->isVisible());
  QTest::keyClick(m.Windows().At(1), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == first; }));
  QTest::keyClick(first, Qt::Key_F6, Qt::ShiftModifier);  // before the first: back home
  EXPECT_EQ(left.count(), 1);

  emit f6->activated();
  QTest::keyClick(first, Qt::Key_Return);
  TPstPsub& popup = m.Popup();
  ASSERT_TRUE(popup.isVisible());
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == popup.BtnMod; }));
  // Escape is Cancel, and the focus goes back to the label window.
  QTest::keyClick(&popup, Qt::Key_Escape);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == first; }));

  // Enter presses the button with the focus: Delete.
  QTest::keyClick(first, Qt::Key_Space);
  ASSERT_TRUE(popup.isVisible());
  QTest::keyClick(popup.BtnMod, Qt::Key_Tab);
  ASSERT_EQ(popup.focusWidget(), popup.BtnDel);
  QTest::keyClick(popup.BtnDel, Qt::Key_Return);
  EXPECT_EQ(Labels(), std::vector<std::string>{"2030/06/20 10:00|later"});
  // The window it came from holds another label now, or is gone: the focus
  // lands on a window either way.
  EXPECT_TRUE(WaitFor([&] { return QApplication::activeWindow() != nullptr; }));

  QTest::keyClick(m.Windows().At(0), Qt::Key_Escape);
  EXPECT_EQ(left.count(), 2);
}

TEST_F(AccessTest, AltMOpensTheIconsMenuFromTheKeyboard) {
  TPstMain& m = Start();
  m.show();
  auto* key = m.findChild<QShortcut*>("KeyMenu");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->key(), QKeySequence(Qt::ALT | Qt::Key_M));
  emit key->activated();
  EXPECT_TRUE(m.PopupMenu->isVisible());
  EXPECT_EQ(m.PopupMenu->activeAction(), m.ProgHide);
  m.PopupMenu->hide();
}

TEST_F(AccessTest, ReadableTextIsAnOptInOnTheColourTab) {
  TPstInit dialog(state_);
  dialog.show();
  ASSERT_NE(dialog.CbReadable, nullptr);
  EXPECT_EQ(dialog.CbReadable->objectName(), QStringLiteral("CbReadable"));
  EXPECT_FALSE(dialog.Form().CbReadable);
  // Beside the minutes, between the timer and today groups.
  EXPECT_FALSE(dialog.CbReadable->geometry().intersects(dialog.ChangeMin->geometry()));
  const auto* minutes = dialog.findChild<QWidget*>(QStringLiteral("Label14"));
  ASSERT_NE(minutes, nullptr);
  EXPECT_FALSE(dialog.CbReadable->geometry().intersects(minutes->geometry()));
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(dialog.CbReadable)
                   ->text(QAccessible::Description)
                   .isEmpty());
  EXPECT_FALSE(dialog.CbReadable->geometry().intersects(dialog.Color[2].box->geometry()));
  EXPECT_FALSE(dialog.CbReadable->geometry().intersects(dialog.Color[3].box->geometry()));
  EXPECT_LE(dialog.CbReadable->geometry().right(), dialog.Color[2].box->geometry().right());
}

}  // namespace
}  // namespace morna::ui::testing

namespace morna::ui {
namespace {

TEST(AccessHelp, EscapeClosesTheHelpWindow) {
  Help().ShowFirstTopic();
  QWidget* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QStringLiteral("HelpViewer")) window = w;
  }
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Help().IsOpen());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(Help().IsOpen());
  Help().Quit();
}

}  // namespace
}  // namespace morna::ui
