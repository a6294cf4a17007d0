// The registration window's handlers: start-up and end, the entry fields,
// the menu and icon, the month grid, the popup's buttons and the schedule
// timer. The labels' road, the data file and posting are in Pmain_labels.cpp.
#include <QComboBox>
#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "core/calendar.h"
#include "core/entry.h"
#include "core/pastlabels.h"
#include "core/posttable.h"
#include "core/schedtimer.h"
#include "core/userfiles.h"
#include "ui/Pmain.h"
#include "ui/CalDavPage.h"
#include "ui/Pinit.h"
#include "ui/look.h"
#include "ui/Pcal.h"
#include "ui/PostWindows.h"
#include "ui/MonthGrid.h"
#include "ui/Ppsub.h"
#include "ui/ScheduleGroup.h"
#include "ui/codec.h"
#include "ui/help.h"
#include "ui/alarm.h"
#include "ui/notice.h"
#include "ui/notify.h"
#include "ui/Ppost.h"
#include "ui/userfiles.h"

namespace morna::ui {

namespace {

QString InvalidDate() { return TPstMain::tr("日付に変換できない値が渡されました"); }

ConvertError NotAnInteger(std::string_view text) {
  return ConvertError(TPstMain::tr("'%1' は整数ではありません").arg(FromSjis(text)));
}

// Reads a whole text as an integer the way the date fields are read.
int ReadInt(std::string_view text) {
  const std::optional<int> v = ParseInt(text);
  if (!v) throw NotAnInteger(text);
  return *v;
}

// The date of a DateRead, or the conversion error it stands for.
DateTime DateOrThrow(const DateRead& d) {
  switch (d.error) {
    case DateRead::Error::NotInteger: throw NotAnInteger(d.bad);
    case DateRead::Error::InvalidDate: throw ConvertError(InvalidDate());
    case DateRead::Error::None: break;
  }
  return d.value;
}

QString SystemText(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

// ---------------------------------------------------------------- start-up and end

void TPstMain::FormCreate() {
  // Schedule-1 and the short window.
  if (!RbtnSche->isChecked()) RbtnSche->setChecked(true);
  SetOuterHeight(kShortHeight);
  // The timer counts from now.
  state_.Timer.LastTickTime = state_.Now();
  // The settings controller and the day cells exist since construction.
  // Settings and the window's place.
  ctl_.LoadSettings(state_.SettingsFile, state_.Settings, state_.MainPos);
  // A far-off stored position is brought near the screens first; the check
  // below then puts the window where it can be reached.
  move(std::clamp(state_.MainPos.Left, -kMaxScreenCoordinate, kMaxScreenCoordinate),
       std::clamp(state_.MainPos.Top, -kMaxScreenCoordinate, kMaxScreenCoordinate));
  MoveOntoDesktop();
  // The display mode the label windows are built with.
  state_.Settings.DisplayModeInForce = state_.Settings.DisplayMode;
  state_.Settings.DisplayModeDayInForce = state_.Settings.DisplayModeDay;
  // The table and the labels.
  LoadPostDataFile();
  // Fonts, colour, input method, width.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  // Today.
  Grid->SetMonth(state_.Now());
  state_.Timer.DisplayBaseTime = state_.Now();
  PstMainFormSet();
  // Order the labels and put up their windows.
  state_.Labels.SetPastData(state_.Settings.PastData);
  ShowLabelProblems(state_.Labels.Order(PopupLabelNow(), state_.Now()));
  windows_->DisplayData();
  // The window waits hidden for the icon.
  hide();
  // The count-down alarm.
  if (CountDownDue(state_.Settings, state_.Labels.Table(), state_.Now())) AlarmOut();
  StartCalDav();
}

void TPstMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Help().Quit();
}

void TPstMain::BtnEndClick() {
  // The labels first; a file that cannot be written is told, and the end
  // goes on: a program that cannot end can only be killed.
  SavePostDataFile();
  try {
    SaveSettingsFile();
  } catch (const Error& e) {
    GeneralErrorHandler(e.text());
  }
  EndEventLoop();
}

void TPstMain::SaveSettingsFile() {
  state_.MainPos = CurrentPos();
  const FileResult saved = ctl_.SaveSettings(state_.SettingsFile, state_.Settings, state_.MainPos);
  if (!saved.ok())
    throw Error(tr("%1 に書き込めません\n%2")
                    .arg(QString::fromLocal8Bit(state_.SettingsFile), SystemText(saved.systemMessage)));
}

// A position kept from a screen that is no longer there would put the window
// out of reach: unless a grip of its title bar lies on some screen, bring it
// back into the work area.
void TPstMain::MoveOntoDesktop() {
  const QRect titleBar(x(), y(), outerWidth_, kFrameHeight);
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect seen = screen->availableGeometry().intersected(titleBar);
    if (seen.width() >= std::min(40, outerWidth_) && seen.height() >= 10) return;
  }
  const Rect wa = state_.ScreenWorkArea();
  const int left = std::max(wa.left, std::min(x(), wa.right - outerWidth_));
  const int top = std::max(wa.top, std::min(y(), wa.bottom - outerHeight_));
  move(left, top);
}

WindowPos TPstMain::CurrentPos() const { return WindowPos{y(), x()}; }

void TPstMain::ApplyEcolor() { SetBackColor(this, ToQColor(state_.Settings.Ecolor)); }

// The input method of the message box. Qt knows no open/closed or kana modes
// of its own; what it offers is switching input methods off and asking for
// Latin input. So "disabled" (3) turns the input method off, the two
// alphanumeric modes (7, 8) ask for Latin input, the open and kana modes
// (1, 4, 5, 6) give the input method back without hints, and so do 0 ("as
// the user has it") and 2 (closed: the user may still open it). Every mode
// sets both the switch and the hints, so that a change from a restricted
// mode back to a free one takes effect at once; values out of range leave
// the box as it is.
void TPstMain::ApplyImeMode() {
  bool enabled = true;
  Qt::InputMethodHints hints = Qt::ImhNone;
  switch (state_.Settings.IMEMode) {
    case 0:  // as the user has it
    case 1:
    case 2:  // closed, but the user may open it
    case 4:
    case 5:
    case 6: break;
    case 3: enabled = false; hints = Qt::ImhLatinOnly; break;
    case 7:
    case 8: hints = Qt::ImhLatinOnly; break;
    default: return;  // outside 0..8: the box keeps its mode
  }
  PstMesg->setAttribute(Qt::WA_InputMethodEnabled, enabled);
  PstMesg->setInputMethodHints(hints);
}

// ---------------------------------------------------------------- entry fields

void TPstMain::PstMainFormSet() {
  const FormSetValues v = morna::PstMainFormSet(state_.Now());
  Grid->SetMonth(DateOrThrow(ReadTitleDate(v.yymm, "1")));
  PstTime->setText(FromSjis(v.pstTime));
  SBar->setValue(v.sbar);  // SBarChange runs when the position moves
  UDyymm->SetPosition(0);
  PstMesg->clear();
  CalDay();
}

void TPstMain::SBarChange() {
  const SBarResult r =
      morna::SBarChange(Grid->MonthText(), ToSjis(PstTime->text()), SBar->value());
  switch (r.error) {
    case SBarResult::Error::None:
      PstTime->setText(FromSjis(r.text));
      return;
    case SBarResult::Error::NotInteger:
      throw NotAnInteger(r.text);
    case SBarResult::Error::InvalidDate:
      throw ConvertError(InvalidDate());
  }
}

void TPstMain::FontSet() {
  const QString title = FromSjis(state_.Settings.TitleFontName);
  for (QWidget* w : std::initializer_list<QWidget*>{PstVerShow, LblDateTime, LblMesg, RbtnSche,
                                                    RbtnSche2, RbtnTodo, GroupBox1->RbWeekly,
                                                    GroupBox1->RbMonthly1, GroupBox1->RbMonthly2,
                                                    YYMM}) {
    QFont f = w->font();
    f.setFamily(title);
    FitFont(f);
    w->setFont(f);
  }
  const QString cale = FromSjis(state_.Settings.CaleFontName);
  auto calendarFont = [&](QWidget* w) {
    QFont f = w->font();
    f.setFamily(cale);
    // A size of 0 or less keeps the design size.
    if (state_.Settings.CaleFontSize > 0)
      f.setPointSize(std::min(state_.Settings.CaleFontSize, kMaxFontSize));
    FitFont(f);
    w->setFont(f);
  };
  for (QLabel* w : Day) calendarFont(w);
  for (QLabel* w : Week) calendarFont(w);
  PstVerShow->update();
}

// ---------------------------------------------------------------- menu and icon

void TPstMain::SelectRbtnSche() {
  if (RbtnSche->isChecked()) return;
  RbtnSche->setChecked(true);
  RbtnScheClick();
}

void TPstMain::ProgShowClick() {
  SelectRbtnSche();
  ShowEmptied();
}

void TPstMain::ShowEmptied() {
  SetOuterWidth(state_.Settings.Caln == 1 ? kNarrowWidth : kWideWidth);
  PstMesg->clear();
  // A window the window manager minimised comes back as well.
  if (windowState() & Qt::WindowMinimized) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TPstMain::ProgHideClick() { hide(); }

void TPstMain::ProgHelpClick() { Help().ShowFirstTopic(); }

void TPstMain::CalDispClick() { YYMMClick(); }

void TPstMain::InitDispClick() { PstVerShowClick(); }

void TPstMain::PstVerShowClick() {
  // The dialog is modal, but the icon's menu can still ask for it: bring
  // the open one forward.
  if (settingsDialog_) {
    settingsDialog_->raise();
    settingsDialog_->activateWindow();
    return;
  }
  // A fresh dialog each time.
  const std::string oldFileName = state_.Settings.FileName;
  settingsDialog_ = std::make_unique<TPstInit>(state_);
  settingsDialog_->LblVersion1->setText(QStringLiteral("Desktop reminder: labels and alarms"));
  settingsDialog_->LblVersion2->setText(QStringLiteral("Product Version  V1.20 00.12.16"));
  settingsDialog_->CalDavPage->Net = [this](QString& why) { return CalDavNet(why); };
  settingsDialog_->CalDavPage->LblCalDavStatus->setText(CalDavStatusText());
  const bool accepted = settingsDialog_->exec() == QDialog::Accepted;
  const QString typedPassword = settingsDialog_->CalDavPage->TypedPassword();
  settingsDialog_.reset();
  // Cancel changes nothing more.
  if (!accepted) return;
  // Fonts, colour and input method as the dialog left them.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  // The label windows go with the display mode they were built with and
  // come back with the new one; the table follows a new data count without
  // losing a label, and another label file named in the dialog. (The road
  // also orders and saves the labels and refills the month grid, whose
  // holidays may have changed.)
  state_.Settings.DisplayModeInForce = state_.Settings.DisplayMode;
  state_.Settings.DisplayModeDayInForce = state_.Settings.DisplayModeDay;
  LabelChange change;
  change.switchTo = DataFilePath();
  change.dataCnt = state_.Settings.DataCnt;
  const LabelReport report = ChangeLabels(std::move(change), Entry::Keep);
  if (report.switched) {
    if (report.switched->outcome == LabelFile::Switch::Refused) {
      state_.Settings.FileName = oldFileName;
    } else {
      WatchDataFile();
      emit DataFileSwitched(QString::fromLocal8Bit(report.switchPath));
    }
    ShowDataFileSwitch(*report.switched, report.switchPath);
  }
  // Last, the settings file.
  SaveSettingsFile();
  StartCalDav(typedPassword);
}

void TPstMain::TaskTrayMouseDown(Qt::MouseButton button, int, int) {
  SelectRbtnSche();
  if (button != Qt::RightButton) return;  // the icon pops up the menu itself
  ShowEmptied();
}

// ---------------------------------------------------------------- kinds of label

void TPstMain::RbtnScheClick() { SetOuterHeight(kShortHeight); }
void TPstMain::RbtnTodoClick() { SetOuterHeight(kShortHeight); }
void TPstMain::RbtnSche2Click() { SetOuterHeight(kTallHeight); }

// ---------------------------------------------------------------- month grid

void TPstMain::CalDay() {
  const DateTime now = state_.Now();
  const CalendarMonthState cal = CalendarFromPosition(now, UDyymm->Position());
  state_.CalendarAnchor = cal.anchor;
  state_.CalendarMonth = cal.month;
  Grid->Fill(morna::CalDay(state_.Settings, state_.Labels.Table(), cal, Grid->MonthText(), now));
}

void TPstMain::UDyymmClick() {
  const CalendarMonthState cal = CalendarFromPosition(state_.Now(), UDyymm->Position());
  Grid->SetMonth(cal.anchor);
  CalDay();
}

void TPstMain::YYMMClick() {
  state_.CalendarAnchor = DateOrThrow(ReadTitleDate(Grid->MonthText(), "15"));
  state_.CalendarMonth = MonthOf(state_.CalendarAnchor);
  Calendar().ShowCalendar();
}

void TPstMain::DayxxMouseDown(QLabel* sender, Qt::MouseButton button) {
  if (!sender || sender->text().isEmpty()) return;  // a day of another month
  SelectRbtnSche();
  if (outerWidth_ == kNarrowWidth) SetOuterWidth(kWideWidth);
  const std::optional<DateTime> date = Grid->DateOf(sender);
  if (!date) throw ConvertError(InvalidDate());
  if (button == Qt::LeftButton) {
    PstTime->setText(FromSjis(FormatDateTimeText(*date)));
    SBar->setValue(36);
  } else if (button == Qt::RightButton) {
    // The popup opens on the last label of that day in table order.
    const int last = LastLabelOfDay(state_.Labels.Table(), FormatYMD(*date));
    if (last >= 0) {
      const PostSlot& slot = state_.Labels.Table().Slot(last);
      Popup().ShowLabel(PopupLabel{slot.DateTimeText, slot.Lines});
    }
  }
}

// ---------------------------------------------------------------- the popup's buttons

void TPstMain::BtnModClick() {
  // What can fail is read first: a label whose time cannot be read leaves the
  // window, and EditMode, as they were.
  const PopupLabel label = Popup().Label();
  const bool todo = IsToDoCaption(label.Caption);
  std::optional<int> pos;
  if (!todo) {
    pos = SBarForCaption(label.Caption);
    if (!pos) {
      // Names the field that is no integer.
      ReadInt(Chars(label.Caption, 12, 13));
      ReadInt(Chars(label.Caption, 15, 16));
    }
  }
  state_.Labels.SetMode(EditMode::Modify);
  SelectRbtnSche();
  if (todo && !RbtnTodo->isChecked()) {
    RbtnTodo->setChecked(true);
    RbtnTodoClick();
  }
  SetMessageLines(Popup().Lines());
  if (pos) {
    // The scroll bar's own change handler is kept out: the caption replaces
    // PstTime below anyway, and the handler would read PstTime as it stands
    // now (after a ToDo label, "    ToDo") and fail with an error box.
    const QSignalBlocker quiet(SBar);
    SBar->setValue(*pos);
  }
  if (state_.Settings.Caln == 1) SetOuterWidth(kWideWidth);
  show();
  // The window may already be open behind the popup; it must become the
  // active one, or the message box would hold the focus without any key
  // reaching it.
  activateWindow();
  PstMesg->moveCursor(QTextCursor::Start);
  PstMesg->ensureCursorVisible();
  PstMesg->setFocus();
  PstTime->setText(Popup().Caption());
  Popup().hide();
}

void TPstMain::BtnDelClick() {
  SelectRbtnSche();
  LabelChange change;
  change.deletePopupLabel = true;
  ChangeLabels(std::move(change), Entry::Reset);
  Popup().hide();
}

void TPstMain::BtnCanClick() {
  RbtnScheClick();  // the short window, whichever kind is checked
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  Popup().hide();
}

// ---------------------------------------------------------------- schedule timer

void TPstMain::SchTimerTimer() {
  // The fallback for outside changes a watcher missed; its failure is told
  // in a box that does not hold the timer, and the tick goes on.
  GuardTelling([this] { FollowDataFile(); }, this);
  const DateTime now = state_.Now();
  const std::vector<TickStep> steps =
      morna::SchTimerTimer(state_.Timer, state_.Settings, state_.Labels.Table(), windows_->Captions(),
                           state_.AlarmWindowCount, now);
  std::vector<int> alerted;  // the windows that raised an alert in this tick
  for (const TickStep& step : steps) {
    switch (step.kind) {
      case TickStep::Kind::FollowNewDate:
        Grid->SetMonth(now);
        PstMainFormSet();
        break;
      case TickStep::Kind::Recolor:
        windows_->Recolor(step.window, step.color, step.captionColor);
        if (windows_->TellState(step.window, step.state)) alerted.push_back(step.window);
        break;
      case TickStep::Kind::AlarmOut:
        AlarmOut();
        // A label whose time came alerted already: its alarm adds no second alert.
        if (std::find(alerted.begin(), alerted.end(), step.window) == alerted.end()) {
          windows_->Announce(step.window);
          alerted.push_back(step.window);
        }
        break;
      case TickStep::Kind::Notify:
        NotifyLabel(step.window, step.due);
        break;
    }
  }
}

void TPstMain::AlarmOut() { alarm_.Sound(state_.Settings.WaveFileName); }

void TPstMain::NotifyLabel(int window, bool due) {
  const TPstPost* post = windows_->At(window);
  if (!post) return;
  const QStringList lines = post->Lines();
  const QString when = post->Caption().trimmed();
  Notifications().Show(due ? when : tr("%1 (まもなく)").arg(when),
                       lines.isEmpty() ? QString() : lines.first());
}

}  // namespace morna::ui
