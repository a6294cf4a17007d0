// The alarm of the registration window: the built-in chime, sounds that
// fail without holding the schedule timer, reports that come once, and the
// desktop notification.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "tests/ui/pmain_fixture.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/notify.h"

namespace morna::ui::testing {
namespace {

const QString kBuiltIn = QStringLiteral("<built-in>");

class RecordingNotifications : public NotificationSink {
 public:
  void Show(const QString& summary, const QString& body) override {
    shown.push_back(summary + "|" + body);
  }
  std::vector<QString> shown;
};

class AlarmTest : public PstMainTest {
 protected:
  void SetUp() override {
    PstMainTest::SetUp();
    SetNotificationSink(&notes_);
  }
  void TearDown() override {
    SetNotificationSink(nullptr);
    PstMainTest::TearDown();
  }
  // The first tick of a minute of 2000/12/16, and then what it left for the
  // event loop (the reports).
  void TickAt(int h, int m) {
    now_ = MakeDateTime(2000, 12, 16, h, m, 5);
    main_->SchTimerTimer();
    ticked_boxes_ = sink_.boxes.size();
    QCoreApplication::processEvents();
  }
  // Two labels due at 10:15, warned at 10:10 (Minute 5).
  TPstMain& StartWithTwoLabels(const std::string& ini) {
    now_ = MakeDateTime(2000, 12, 16, 10, 7, 30);
    WriteIni(ini);
    WriteFile("Dpstitdt.dat", "Time=2000/12/16 10:15\r\nMemo=first\r\nMemo=more\r\n"
                              "Time=2000/12/16 10:15\r\nMemo=second\r\n");
    TPstMain& m = Start();
    EXPECT_EQ(m.Windows().Count(), state_.AlarmWindowCount + 2);
    return m;
  }
  void ExpectBothWindows(const QColor& caption) {
    for (int k = state_.AlarmWindowCount; k < state_.AlarmWindowCount + 2; ++k) {
      EXPECT_EQ(main_->Windows().At(k)->Color(), ToQColor(16777152)) << k;
      EXPECT_EQ(main_->Windows().At(k)->CaptionColor(), caption) << k;
    }
  }

  RecordingNotifications notes_;
  std::size_t ticked_boxes_ = 0;
};

TEST_F(AlarmTest, WithoutAFileTheBuiltInChimeSounds) {
  StartWithTwoLabels("");
  TickAt(10, 10);
  EXPECT_EQ(player_.played, (std::vector<QString>{kBuiltIn, kBuiltIn}));
  EXPECT_TRUE(sink_.boxes.empty());
  // The count-down alarm at start-up too.
  main_.reset();
  player_.played.clear();
  WriteIni("[DISP]\r\nPastData=2\r\n[ALARM]\r\nCountDown=1\r\n");
  Start();
  EXPECT_EQ(player_.played, std::vector<QString>{kBuiltIn});
}

TEST_F(AlarmTest, AFailingFileNeverEndsTheTickAndIsReportedOnceAfterIt) {
  TPstMain& m = StartWithTwoLabels(
      "[FILE]\r\nWaveFileName=/gone/bell.wav\r\n[ALARM]\r\nDailyAlarm=1\r\nDATime=10:10\r\n");
  player_.fail = true;
  TickAt(10, 10);  // the daily alarm, then both labels' warnings
  EXPECT_EQ(ticked_boxes_, 0u);  // nothing shown inside the tick
  ExpectBothWindows(ToQColor(kPink));
  // Each alarm tried the file and then sounded the chime instead.
  const QString file = "/gone/bell.wav";
  EXPECT_EQ(player_.played,
            (std::vector<QString>{file, kBuiltIn, file, kBuiltIn, file, kBuiltIn}));
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(sink_.boxes[0].caption, "Moranote");
  EXPECT_TRUE(sink_.boxes[0].text.startsWith("cannot open /gone/bell.wav\n\n"));
  EXPECT_TRUE(sink_.boxes[0].text.contains("内蔵のアラーム音")) << sink_.boxes[0].text.toStdString();
  EXPECT_EQ(state_.Timer.LastTickTime, now_);

  // The due minute: both turn red, and the same failure is not told again.
  TickAt(10, 15);
  ExpectBothWindows(ToQColor(kRed));
  EXPECT_EQ(player_.played.size(), 10u);
  EXPECT_EQ(sink_.boxes.size(), 1u);

  // Another file chosen that fails too is told once more.
  state_.Settings.WaveFileName = "/gone/other.wav";
  state_.Settings.DATime = "10:16";
  TickAt(10, 16);
  EXPECT_EQ(sink_.boxes.size(), 2u);
  EXPECT_EQ(m.Windows().At(1)->CaptionColor(), ToQColor(kRed));
}

TEST_F(AlarmTest, WhileTheReportStandsTheTimerGoesOnRecolouring) {
  // The real boxes, the window's own timer, and a player that runs the
  // event loop inside Play: a report that ran there with a loop of its own
  // would hold every later tick.
  SetMessageSink(nullptr);
  TPstMain& m = StartWithTwoLabels("[FILE]\r\nWaveFileName=/gone/bell.wav\r\n");
  player_.fail = true;
  player_.spinsLoop = true;
  // A box that waits is closed from here (and counted), so that the test
  // fails instead of hanging.
  int waited = 0;
  QTimer watchdog;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ++waited;
      modal->close();
    }
  });
  watchdog.start(300);
  auto reports = [] {
    std::vector<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "Report" && w->isVisible()) out.push_back(w);
    return out;
  };
  auto both = [&](const QColor& caption) {
    for (int k = state_.AlarmWindowCount; k < state_.AlarmWindowCount + 2; ++k)
      if (m.Windows().At(k)->CaptionColor() != caption) return false;
    return true;
  };

  now_ = MakeDateTime(2000, 12, 16, 10, 10, 5);
  m.SchTimer->start(20);
  EXPECT_TRUE(QTest::qWaitFor([&] { return both(ToQColor(kPink)) && reports().size() == 1; }, 5000));
  now_ = MakeDateTime(2000, 12, 16, 10, 15, 5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return both(ToQColor(kRed)); }, 5000));
  m.SchTimer->stop();
  const auto standing = reports();
  ASSERT_EQ(standing.size(), 1u) << "the report stands while the labels turn red";
  EXPECT_EQ(waited, 0);
  auto* box = qobject_cast<QMessageBox*>(standing[0]);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "Moranote");
  EXPECT_TRUE(box->text().startsWith("cannot open /gone/bell.wav")) << box->text().toStdString();
  EXPECT_EQ(player_.played.size(), 8u);  // file and chime, two labels, two minutes
  box->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(AlarmTest, WithoutAnyOutputTheColoursStillChangeAndItIsToldOnce) {
  StartWithTwoLabels("[FILE]\r\nWaveFileName=bell.wav\r\n");
  player_.noOutput = true;
  TickAt(10, 10);
  ExpectBothWindows(ToQColor(kPink));
  EXPECT_EQ(ticked_boxes_, 0u);
  ASSERT_EQ(sink_.boxes.size(), 1u);
  EXPECT_TRUE(sink_.boxes[0].text.startsWith("no device")) << sink_.boxes[0].text.toStdString();
  TickAt(10, 15);
  ExpectBothWindows(ToQColor(kRed));
  EXPECT_EQ(sink_.boxes.size(), 1u);
  EXPECT_EQ(player_.played, (std::vector<QString>{"bell.wav", "bell.wav", "bell.wav", "bell.wav"}));
}

TEST_F(AlarmTest, NotificationsAtTheWarningAndTheDueMomentWhenSwitchedOn) {
  StartWithTwoLabels("[FORM]\r\nBeep=0\r\n");
  TickAt(10, 10);
  EXPECT_TRUE(notes_.shown.empty());  // off by default

  main_.reset();
  StartWithTwoLabels("[ALARM]\r\nNotify=1\r\n");
  TickAt(10, 10);
  TickAt(10, 11);
  TickAt(10, 15);
  EXPECT_EQ(notes_.shown, (std::vector<QString>{
                              "2000/12/16 10:15 (まもなく)|first", "2000/12/16 10:15 (まもなく)|second",
                              "2000/12/16 10:15|first", "2000/12/16 10:15|second"}));
}

TEST_F(AlarmTest, WithoutANotificationServiceNothingFails) {
  // No session bus at all behind the address: the desktop's sink gives up
  // quietly, and the tick goes on.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
  SetNotificationSink(nullptr);
  StartWithTwoLabels("[ALARM]\r\nNotify=1\r\n");
  TickAt(10, 15);
  ExpectBothWindows(ToQColor(kRed));
  EXPECT_TRUE(sink_.boxes.empty());
}

}  // namespace
}  // namespace morna::ui::testing
