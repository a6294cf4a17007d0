// In-process benchmark of the registration window's steps with 50 labels and
// four alarm windows, on a fixed clock, under the current display: building
// the window and starting up, loading and ordering the labels, building the
// 54 label windows, a post that re-fills them (against re-filling their texts
// alone), a tick of the schedule timer, a save, and opening the calendar
// window and the settings dialog. A step that puts windows on the screen is
// timed until the display server has handled everything it sent.
//
//   steps_bench [repetitions]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

#include "core/labelfile.h"
#include "core/posttable.h"
#include "ui/Pcal.h"
#include "ui/Pmain.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/TaskTray.h"
#include "ui/appstate.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/alarm.h"

namespace {

using namespace morna;
using namespace morna::ui;

class NoShell : public TrayShell {
 public:
  bool Notify(Op, const Record&) override { return true; }
  QPoint CursorPos() const override { return {}; }
};
class NoPlayer : public AlarmPlayer {
 public:
  void Play(const QString&) override {}
  void PlayBuiltIn() override {}
  void Stop() override {}
  bool IsPlaying() const override { return false; }
};
class NoHelp : public HelpViewer {
 public:
  void ShowFirstTopic() override {}
  void Quit() override {}
  bool IsOpen() const override { return false; }
};

// Waits until the display server has handled every request sent so far.
void Settle() {
  QCoreApplication::processEvents();
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_connection_t* c = x11->connection();
    xcb_flush(c);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }
}

double Ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

struct Stats {
  std::vector<double> ms;
  void Add(double v) { ms.push_back(v); }
  double Median() const {
    std::vector<double> v = ms;
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
  }
  double Max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

void Print(const char* step, const Stats& s, const char* goal) {
  std::printf("%-48s %9.3f ms %9.3f ms  %s\n", step, s.Median(), s.Max(), goal);
}

std::string Labels(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "Time=2030/%02d/%02d %02d:%02d\r\n", i / 28 + 7, i % 28 + 1,
                  8 + i % 10, (i * 7) % 60);
    out += line;
    out += "Memo=Label " + std::to_string(i + 1) + "\r\nMemo=second line\r\n";
  }
  return out;
}

void Write(const QString& path, const std::string& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

struct WindowTexts {
  QString title, caption;
  QStringList message;
};

std::vector<WindowTexts> TextsOf(const PostWindows& windows) {
  std::vector<WindowTexts> texts;
  for (int k = 0; k < windows.Count(); ++k) {
    const TPstPost* w = windows.At(k);
    texts.push_back({w->windowTitle(), w->PostDataTime->text(), w->PostMesg->Lines()});
  }
  return texts;
}

// Writes into window k the texts `texts` held for window k + shift.
void Refill(const PostWindows& windows, const std::vector<WindowTexts>& texts, int shift) {
  for (int k = 0; k < windows.Count(); ++k) {
    const WindowTexts& from = texts[static_cast<std::size_t>((k + shift) % windows.Count())];
    TPstPost* w = windows.At(k);
    w->setWindowTitle(from.title);
    w->PostDataTime->setText(from.caption);
    w->PostMesg->SetLines(from.message);
  }
}

// A post and its floor, each until the display server has handled them; out
// of line, so that callgrind counts each by its name
// (bench/steps_instructions.sh).
[[gnu::noinline]] void PostStep(TPstMain& main) {
  main.BtnPost->click();
  Settle();
}

[[gnu::noinline]] void RefillStep(const PostWindows& windows, const std::vector<WindowTexts>& texts) {
  Refill(windows, texts, 1);
  Settle();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontStandIns();
  const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

  QTemporaryDir dir;
  QDir::setCurrent(dir.path());
  Write(dir.filePath("Morna.ini"),
        "[FILE]\r\nDataCnt=50\r\n[ALARM]\r\nDailyAlarm=1\r\nDATime=07:00\r\nWeeklyAlarm=1\r\n"
        "WeeklyAlarmW=2\r\nWeeklyAlarmT=07:30\r\nMonthlyAlarm1=1\r\nMonthlyAlarmDay=25\r\n"
        "MonthlyAlarmT1=12:00\r\nMonthlyAlarm2=1\r\nMonthlyAlarmWeek=2\r\nMonthlyAlarmW=6\r\n"
        "MonthlyAlarmT2=18:00\r\n");
  // 49 labels: each post below adds the 50th, and a delete takes it away again.
  Write(dir.filePath("Dpstitdt.dat"), Labels(49));

  DateTime now = MakeDateTime(2030, 6, 15, 8, 54, 40);
  AppState state;
  state.Clock = [&now] { return now; };
  state.SettingsFile = QFile::encodeName(dir.filePath("Morna.ini")).toStdString();
  NoShell shell;
  NoPlayer player;
  NoHelp help;

  std::printf("%d repetitions; median and worst\n", reps);
  QElapsedTimer t;
  t.start();
  SetTrayShell(&shell);
  SetAlarmPlayer(&player);
  SetHelpViewer(&help);
  TPstMain main(state);
  main.FormCreate();
  main.show();
  Settle();
  Stats startUp;
  startUp.Add(Ms(t));
  Print("build the window and start up (once)", startUp, "");

  Stats load;
  for (int i = 0; i < reps * 10; ++i) {
    PostTable table(50);
    morna::EditMode editMode = morna::EditMode::None;
    t.restart();
    morna::LabelFile("Dpstitdt.dat").Load(table);
    morna::PostDataSort(table, editMode, PopupLabel{}, 1, now);
    load.Add(Ms(t));
  }
  Print("load and order 49 labels", load, "");

  Stats build;
  for (int i = 0; i < reps; ++i) {
    main.Windows().DeleteDisplayData();
    Settle();
    t.restart();
    main.Windows().DisplayData();
    Settle();
    build.Add(Ms(t));
  }
  Print("build the label windows (53)", build, "");

  // A post of the earliest label, against the least any program showing
  // these windows would do for it: every window shows the texts of the
  // window before it -- its title, date-time and message. The two alternate,
  // so that both see the same load on the machine; each is undone before the
  // next round (the label deleted through its popup, the texts put back).
  Stats post, refill, ratio;
  for (int i = 0; i < reps; ++i) {
    main.PstTime->setText(QStringLiteral("2030/06/20 10:00"));
    main.PstMesg->setPlainText(QStringLiteral("benchmark"));
    Settle();
    t.restart();
    PostStep(main);
    post.Add(Ms(t));
    main.Popup().ShowLabel(PopupLabel{"2030/06/20 10:00", {"benchmark"}});
    main.Popup().BtnDel->click();
    Settle();

    const std::vector<WindowTexts> texts = TextsOf(main.Windows());
    t.restart();
    RefillStep(main.Windows(), texts);
    refill.Add(Ms(t));
    ratio.Add(post.ms.back() / refill.ms.back());
    Refill(main.Windows(), texts, 0);
    Settle();
  }
  Print("post with 50 labels on screen (54 windows)", post, "goal <= 10 ms");
  Print("re-fill the texts of the 54 windows (floor)", refill, "");
  std::printf("%-48s %9.2fx %9.2fx  goal <= 1.2x\n", "post / re-fill, each round", ratio.Median(),
              ratio.Max());

  Stats tick;
  main.PstTime->setText(QStringLiteral("2030/06/20 10:00"));
  main.PstMesg->setPlainText(QStringLiteral("benchmark"));
  main.BtnPost->click();
  Settle();
  for (int i = 0; i < reps * 10; ++i) {
    now = AddMillis(now, kMillisPerMinute);  // every tick a new minute
    t.restart();
    main.SchTimerTimer();
    tick.Add(Ms(t));
  }
  Print("tick of the schedule timer (54 windows)", tick, "goal <= 1 ms");

  Stats save;
  for (int i = 0; i < reps * 5; ++i) {
    t.restart();
    main.SavePostDataFile();
    save.Add(Ms(t));
  }
  Print("save the data file (50 labels)", save, "");

  Stats calendar;
  for (int i = 0; i < reps; ++i) {
    t.restart();
    main.CalDispClick();
    Settle();
    calendar.Add(Ms(t));
    main.Calendar().hide();
    Settle();
  }
  Print("open the calendar window", calendar, "goal <= 50 ms");

  // The settings dialog is modal: it is timed from the click until it stands
  // on the screen, then closed with Cancel.
  Stats dialog;
  for (int i = 0; i < reps; ++i) {
    QTimer::singleShot(0, [&] {
      Settle();
      dialog.Add(Ms(t));
      if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    t.restart();
    main.PstVerShowClick();
    Settle();
  }
  Print("open the settings dialog", dialog, "goal <= 50 ms");
  return 0;
}
