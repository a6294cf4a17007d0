// The registration window: date-time and message entry, the three kinds of
// label, the small month grid, the recurring-entry group, the popup menu of
// the notification-area icon, and the schedule timer. It owns the modify /
// delete popup, the label windows and the icon.
//
// Handlers are plain methods that may throw (ui::Error, ConvertError, ...).
// Every connection from Qt (signals, mouse events, the icon's events, the
// timer) runs them inside Guard(), so no exception crosses a Qt frame; a
// caller that invokes a handler directly (the program entry with FormCreate,
// tests) sees what it throws.
//
// Window size: the sizes the program speaks of (width 330 or 132, height
// 150 or 255) are outer sizes of a window with a thin frame and a title bar
// of 8 x 27 pixels altogether. The window is fixed-size and its client area
// is set to outer size minus that frame (322 x 123, 322 x 228, 124 x ...),
// so exactly the same controls show whatever frame the window manager draws,
// and offscreen or without a window manager (no frame) the window is as big
// as its content. OuterWidth()/OuterHeight() report the outer sizes as set.
#pragma once

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/labelbook.h"
#include "core/pstctl.h"
#include "core/schedule2.h"
#include "ui/MonthGrid.h"
#include "ui/ScheduleGroup.h"
#include "ui/alarm.h"
#include "ui/alarmout.h"
#include "ui/appstate.h"
#include "ui/controls.h"
#include "ui/errors.h"

class QAction;
class QComboBox;
class QFileSystemWatcher;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace morna::caldav {
class Net;
}

namespace morna::ui {

class AlarmPlayer;
class CalDavSync;
class HelpViewer;
class PostWindows;
class TPstCal;
class TPstInit;
class TPstPsub;
class TTaskTray;
class TrayShell;

// A date or time that cannot be formed from the entry: Post shows the
// date-time box instead of the general error handler.
class ConvertError : public Error {
 public:
  using Error::Error;
};

class TPstMain : public QWidget {
  Q_OBJECT
 public:
  // The outer frame of the design: 4 px left, right and bottom, 19 px title.
  static constexpr int kFrameWidth = 8;
  static constexpr int kFrameHeight = 27;
  static constexpr int kWideWidth = 330;
  static constexpr int kNarrowWidth = 132;
  static constexpr int kShortHeight = 150;
  static constexpr int kTallHeight = 255;

  // Builds the whole window (hidden), the popup, the label windows' list,
  // the notification-area icon (shown at once) and the running schedule timer.
  // The platform's services are those in use (Shell(), Player(), Help(),
  // Messages(), Notifications(), CurrentPickers()), which a test replaces
  // before the window is built.
  explicit TPstMain(AppState& state, QWidget* parent = nullptr);
  ~TPstMain() override;  // runs FormDestroy

  // The popup and the calendar window, made (and the popup's buttons
  // connected) when first asked for.
  TPstPsub& Popup();
  TPstCal& Calendar();
  // The label the popup shows, as the table compares it; none before the
  // popup was first opened.
  PopupLabel PopupLabelNow() const;
  PostWindows& Windows();
  // The settings dialog while PstVerShowClick shows it, else nullptr.
  TPstInit* SettingsDialog() const { return settingsDialog_.get(); }
  AppState& State() { return state_; }

  // Outer size as the program sets it (see the note at the top).
  int OuterWidth() const { return outerWidth_; }
  int OuterHeight() const { return outerHeight_; }
  void SetOuterWidth(int width);
  void SetOuterHeight(int height);

  // --- start-up and end
  void FormCreate();
  void FormDestroy();
  void BtnEndClick();

  // --- entry fields
  void PstMainFormSet();
  void SBarChange();
  void FontSet();

  // --- popup menu and icon
  void ProgShowClick();
  void ProgHideClick();
  void ProgHelpClick();
  void CalDispClick();
  void InitDispClick();
  void PstVerShowClick();
  void TaskTrayMouseDown(Qt::MouseButton button, int x, int y);

  // --- kinds of label and the recurring group
  void RbtnScheClick();
  void RbtnTodoClick();
  void RbtnSche2Click();

  // --- month grid
  void CalDay();
  void UDyymmClick();
  void YYMMClick();
  void DayxxMouseDown(QLabel* sender, Qt::MouseButton button);

  // --- posting, modifying, deleting
  void BtnPostClick();
  void BtnModClick();
  void BtnDelClick();
  void BtnCanClick();
  void PostMesgClick(const QStringList& lines);
  // What the window holds now (PstTime, RbtnTodo, PstMesg) as one entry.
  PostEntry EntryFromForm() const;
  // Schedule-2: the group's entry expanded from the date in PstTime into
  // the date-times of ScheCnt labels, as many as the table can take; an
  // impossible date ends the run (the labels before it are still posted).
  ScheduleRun SchedDataSet() const;
  // How many labels a post can still store (see PostRoom).
  int Room() const;

  // --- files
  // The data file: FileName, a relative one taken in the per-user data
  // folder when the settings file is the per-user one.
  std::string DataFilePath() const;
  void LoadPostDataFile();
  // Failure: the write-error box; the table stays. Returns whether the save
  // took in labels changed on disk, so that the table changed.
  bool SavePostDataFile();
  // Takes in a change of the label file made from outside (another computer
  // through a synced folder, an editor) when there is one, and shows it.
  // Runs shortly after the file or its folder changes, and at every tick
  // for the changes a watcher misses.
  void FollowDataFile();

  // What the road does to the registration window's entry: a post and a
  // delete start it afresh (PstMainFormSet); the settings dialog's OK keeps
  // what is typed there.
  enum class Entry { Reset, Keep };
  // The one road for a change of the labels: the label book carries the
  // change out (with the popup's label and the clock), orders, keeps and
  // saves; then the label windows are re-filled, the entry is reset or only
  // the month grid refilled, an open calendar window is refilled for the
  // month it shows, and what went wrong is shown.
  LabelReport ChangeLabels(LabelChange change, Entry entry);

  // --- schedule timer
  // One tick. Every step of the minute is carried out, also when a sound
  // fails; the failure is reported after the handler has returned.
  void SchTimerTimer();
  // Plays the chosen WAV file, or the built-in chime when none is chosen or
  // the file cannot be played (AlarmSound::Sound). Never throws.
  void AlarmOut();

  // Settings applied to the window (start-up, and again after the settings
  // dialog): the background colour Ecolor and the message box's input method.
  void ApplyEcolor();
  void ApplyImeMode();
  // The window's position as the settings file keeps it.
  WindowPos CurrentPos() const;

  // Checks RbtnSche as a click on it would; its click handler runs only when
  // it was not checked before.
  void SelectRbtnSche();
  // Shows the window at its width with an empty message box, in front.
  void ShowEmptied();

  // --- calendar server
  // Keeps the labels in step with the calendar server the settings name
  // when sync is on (the module is loaded only then); stops it otherwise.
  // A password typed in the settings dialog is first put in the secret
  // store; without one, sync stays off and the user is told.
  void StartCalDav(const QString& typedPassword = QString());
  // The calendar server module, loaded when first asked for; nullptr and
  // the reason when it cannot be.
  caldav::Net* CalDavNet(QString& why);
  // The sync in progress; nullptr when off.
  CalDavSync* CalDav() const { return calDav_.get(); }
  // What the icon's tip and the settings page say of the last sync.
  QString CalDavStatusText() const;

  // Ends the event loop; tests replace it.
  std::function<void()> Quit;

  // --- controls (objectName = the member's name)
  TClickLabel* PstVerShow = nullptr;
  QLabel* LblDateTime = nullptr;
  QLabel* LblMesg = nullptr;
  QLineEdit* PstTime = nullptr;
  QScrollBar* SBar = nullptr;
  QPlainTextEdit* PstMesg = nullptr;
  QRadioButton* RbtnSche = nullptr;
  QRadioButton* RbtnTodo = nullptr;
  QRadioButton* RbtnSche2 = nullptr;
  QPushButton* BtnPost = nullptr;
  QPushButton* BtnEnd = nullptr;
  TClickLabel* YYMM = nullptr;
  TUpDown* UDyymm = nullptr;
  std::array<QLabel*, 7> Week{};      // Week1..Week7 (Week[0] is Week1)
  std::array<TClickLabel*, 42> Day{};  // Day1..Day42 (Day[0] is Day1), row by row
  TMonthGrid* Grid = nullptr;         // holds YYMM, UDyymm, Week and Day
  TScheduleGroup* GroupBox1 = nullptr;  // the Schedule-2 group with its own controls
  QMenu* PopupMenu = nullptr;
  QAction* ProgHide = nullptr;
  QAction* ProgShow = nullptr;
  QAction* CalDisp = nullptr;
  QAction* InitDisp = nullptr;
  QAction* ProgHelp = nullptr;
  QAction* IcsExport = nullptr;  // calendar files (ui/icsmenu.h)
  QAction* IcsImport = nullptr;
  QAction* AutoStart = nullptr;  // start at login (ui/autostart.h)
  QAction* ProgExit = nullptr;
  QTimer* SchTimer = nullptr;
  QFileSystemWatcher* DataWatcher = nullptr;  // the label file and its folder
  QTimer* DataCheck = nullptr;  // a change seen by the watcher is followed when it settles
  TTaskTray* TaskTray = nullptr;

 signals:
  // The settings dialog's OK took another label file (its native path).
  void DataFileSwitched(const QString& nativePath);

 protected:
  void closeEvent(QCloseEvent* event) override;  // ends the program, saves nothing
  void contextMenuEvent(QContextMenuEvent* event) override;  // the icon's menu

 private:
  void ShowTableFull(int stored, int wanted);
  void EndEventLoop();
  void BuildControls();
  void BuildGroup();
  void BuildMenu();
  void BuildTray();
  void DockTray();
  void Connect();
  // The keys that reach the label windows and the icon's menu.
  void BuildKeys();
  void MoveOntoDesktop();
  // The file error box: `what` with the system's reason for %1, and the file's path.
  void ShowFileError(const QString& what, const std::string& path, const std::string& systemText);
  void ShowLabelProblems(const LabelReport& report);
  void ShowOutsideChanges(const OutsideChanges& outside);
  void ShowDataFileSwitch(const LabelFile::SwitchResult& switched, const std::string& tried);
  void WatchDataFile();
  std::string MessageText() const;  // PstMesg as CR LF text, Shift-JIS
  void SetMessageLines(const QStringList& lines);
  void ApplyWindowSize();
  void SaveSettingsFile();  // with the window's position; throws when it cannot be written
  // A desktop notification for the label of window `window`.
  void NotifyLabel(int window, bool due);

  AppState& state_;
  TPstCtl ctl_;
  std::unique_ptr<TPstPsub> popup_;
  std::unique_ptr<TPstCal> calendar_;
  std::unique_ptr<TPstInit> settingsDialog_;  // only while it is open
  std::unique_ptr<PostWindows> windows_;
  int outerWidth_ = kWideWidth;
  int outerHeight_ = kShortHeight;
  AlarmSound alarm_{Player()};
  bool destroyed_ = false;
  bool onRoad_ = false;  // ChangeLabels is running
  // The sync goes before the module that answers it (declared after it).
  std::unique_ptr<CalDavSync> calDav_;
  std::unique_ptr<caldav::Net> calDavNet_;
  QString calDavProblem_;  // why sync is on but does not run
  void ShowCalDavTip();
};

}  // namespace morna::ui
