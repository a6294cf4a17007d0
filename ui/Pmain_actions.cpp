// The registration window's handlers: start-up and end, the entry fields,
// the menu and icon, the month grid, posting, the popup's buttons and the
// schedule timer.
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
#include "ui/Pinit.h"
#include "ui/look.h"
#include "ui/Pcal.h"
#include "ui/PostWindows.h"
#include "ui/Ppsub.h"
#include "ui/codec.h"
#include "ui/help.h"
#include "ui/alarm.h"
#include "ui/notify.h"
#include "ui/Ppost.h"

namespace morna::ui {

namespace {

const QString kDateTimeError =
    QStringLiteral("Date & Timeの設定がまちがっています。") + QChar('\r') +
    QStringLiteral("修正してください。");
const QString kMessagePrompt = QStringLiteral("メッセージ入力！！");
const QString kInvalidDate = QStringLiteral("日付に変換できない値が渡されました");

// A recurring entry that ended with the date-time error after some of its
// labels were stored: its text says how many.
class StoppedPartWay : public ConvertError {
 public:
  using ConvertError::ConvertError;
};

ConvertError NotAnInteger(std::string_view text) {
  return ConvertError(QStringLiteral("'%1' は整数ではありません").arg(FromSjis(text)));
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
    case DateRead::Error::InvalidDate: throw ConvertError(kInvalidDate);
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
  state_.PostTable = PostTable(state_.Settings.DataCnt);
  LoadPostDataFile();
  // Fonts, colour, input method, width.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  // Today.
  YYMM->setText(FromSjis(FormatYM(state_.Now())));
  state_.Timer.DisplayBaseTime = state_.Now();
  PstMainFormSet();
  // Order the labels and put up their windows.
  PostDataSort();
  windows_->DisplayData();
  // The window waits hidden for the icon.
  hide();
  // The count-down alarm.
  if (CountDownDue(state_.Settings, state_.PostTable, state_.Now())) AlarmOut();
}

void TPstMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  services_.help.Quit();
}

void TPstMain::BtnEndClick() {
  SavePostDataFile();  // a failure is shown and the end goes on
  SaveSettingsFile();
  EndEventLoop();
}

void TPstMain::SaveSettingsFile() {
  state_.MainPos = CurrentPos();
  const FileResult saved = ctl_.SaveSettings(state_.SettingsFile, state_.Settings, state_.MainPos);
  if (!saved.ok())
    throw Error(QStringLiteral("%1 に書き込めません\n%2")
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

// ---------------------------------------------------------------- data file

void TPstMain::ShowFileError(const QString& prefix, const std::string& systemText) {
  Messages().Show(kFileBoxCaption,
                  prefix + SystemText(systemText) + QStringLiteral(" ] のエラーが発生しました。"),
                  BoxIcon::Error);
}

std::string TPstMain::DataFilePath() const {
  return ResolveDataFile(NativePath(state_.Settings.FileName), state_.DataDir);
}

void TPstMain::LoadPostDataFile() {
  state_.DataFile.SetPath(DataFilePath());
  const FileResult result = state_.DataFile.Load(state_.PostTable);
  if (!result.ok()) ShowFileError(QStringLiteral("ファイルの読込みで[ "), result.systemMessage);
  WatchDataFile();
}

bool TPstMain::SavePostDataFile() {
  OutsideChanges outside;
  const FileResult result = state_.DataFile.Save(state_.PostTable, state_.Now(), &outside);
  if (!result.ok()) ShowFileError(QStringLiteral("ファイルの書込みで[ "), result.systemMessage);
  ShowOutsideChanges(outside);
  WatchDataFile();
  return outside.changed;
}

// The label file and its folder are watched (a sync client renames a new
// file over the old one, which only the folder sees); the paths are set
// again after every load and save, since a watch on a replaced file ends.
void TPstMain::WatchDataFile() {
  const QString file = QString::fromLocal8Bit(state_.DataFile.Path());
  const QString folder = QFileInfo(file).absolutePath();
  const QStringList watched = DataWatcher->files() + DataWatcher->directories();
  if (!watched.isEmpty()) DataWatcher->removePaths(watched);
  for (const QString& path : {file, folder})
    if (QFileInfo::exists(path)) DataWatcher->addPath(path);
}

void TPstMain::FollowDataFile() {
  // A box shown part-way along the road (a failed save) runs the event loop,
  // and with it the timer: the road is never entered twice.
  if (onRoad_ || !state_.DataFile.MayHaveChanged()) return;
  const OutsideChanges outside = state_.DataFile.TakeInOutsideChanges(state_.PostTable);
  // What is being typed stays; windows, month grid and an open calendar
  // window show the labels as they now are.
  if (outside.changed) ChangeLabels({}, Entry::Keep);
  ShowOutsideChanges(outside);
  WatchDataFile();
}

// A label file named in the settings dialog: taken, started anew, or
// refused (the old name then stays).
void TPstMain::ShowDataFileSwitch(const LabelFile::SwitchResult& switched,
                                  const std::string& tried) {
  const QString path = QString::fromLocal8Bit(tried);
  switch (switched.outcome) {
    case LabelFile::Switch::Taken:
      Messages().Show(kFileBoxCaption,
                      QStringLiteral("ラベルファイルを %1 に切り替えました (%2件のラベル)。"
                                     "これまでのラベルは前のファイルに残っています。")
                          .arg(path)
                          .arg(state_.PostTable.LabelCount()),
                      BoxIcon::Information);
      return;
    case LabelFile::Switch::NewFile:
      return;  // the road has written the labels there
    case LabelFile::Switch::Refused: {
      const QString reason = switched.reason == LabelFile::kNotALabelFile
                                 ? QStringLiteral("ラベルファイルではありません")
                                 : SystemText(switched.reason);
      Messages().Show(kFileBoxCaption,
                      QStringLiteral("%1 はラベルファイルとして読めないため、切り替えませんでした [ %2 ]。"
                                     "ファイル名は元のままです。")
                          .arg(path, reason),
                      BoxIcon::Error);
      return;
    }
  }
}

// Only what the user must know: labels that did not fit the table, and
// where they went. Shown once the current handler has returned, so that a
// check from the schedule timer never holds the timer up.
void TPstMain::ShowOutsideChanges(const OutsideChanges& outside) {
  if (outside.keptCount == 0) return;
  const QString text =
      outside.keptResult.ok()
          ? QStringLiteral("ほかのコンピューターで追加されたラベルが上限の%1件を超えたため、"
                           "%2件を %3 に残しました。")
                .arg(state_.PostTable.DataCnt())
                .arg(outside.keptCount)
                .arg(QString::fromLocal8Bit(outside.keptFile))
          : QStringLiteral("ほかのコンピューターで追加されたラベル%1件を %2 に残せませんでした [ %3 ]")
                .arg(outside.keptCount)
                .arg(QString::fromLocal8Bit(outside.keptFile), SystemText(outside.keptResult.systemMessage));
  QTimer::singleShot(0, this, [text] { Messages().Show(kFileBoxCaption, text, BoxIcon::Warning); });
}

// ---------------------------------------------------------------- entry fields

void TPstMain::PstMainFormSet() {
  const FormSetValues v = morna::PstMainFormSet(state_.Now());
  YYMM->setText(FromSjis(v.yymm));
  PstTime->setText(FromSjis(v.pstTime));
  SBar->setValue(v.sbar);  // SBarChange runs when the position moves
  UDyymm->SetPosition(0);
  PstMesg->clear();
  CalDay();
}

void TPstMain::SBarChange() {
  const SBarResult r =
      morna::SBarChange(ToSjis(YYMM->text()), ToSjis(PstTime->text()), SBar->value());
  switch (r.error) {
    case SBarResult::Error::None:
      PstTime->setText(FromSjis(r.text));
      return;
    case SBarResult::Error::NotInteger:
      throw NotAnInteger(r.text);
    case SBarResult::Error::InvalidDate:
      throw ConvertError(kInvalidDate);
  }
}

void TPstMain::FontSet() {
  const QString title = FromSjis(state_.Settings.TitleFontName);
  for (QWidget* w : std::initializer_list<QWidget*>{PstVerShow, LblDateTime, LblMesg, RbtnSche,
                                                    RbtnSche2, RbtnTodo, RbWeekly, RbMonthly1,
                                                    RbMonthly2, YYMM}) {
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

void TPstMain::ProgHelpClick() { services_.help.ShowFirstTopic(); }

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
  settingsDialog_->SetPlayer(&services_.player);
  settingsDialog_->LblVersion1->setText(QStringLiteral("Desktop reminder: labels and alarms"));
  settingsDialog_->LblVersion2->setText(QStringLiteral("Product Version  V1.20 00.12.16"));
  settingsDialog_->exec();
  settingsDialog_.reset();
  // Cancel changes nothing more.
  if (state_.SettingsCancelled != 0) return;
  // Fonts, colour and input method as the dialog left them.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  // The label windows go with the display mode they were built with and
  // come back with the new one; the table follows a new data count without
  // losing a label, and another label file named in the dialog. (The road
  // also orders and saves the labels and refills the month grid, whose
  // holidays may have changed.)
  std::optional<LabelFile::SwitchResult> switched;
  std::string tried;
  ChangeLabels(
      [&] {
        state_.Settings.DisplayModeInForce = state_.Settings.DisplayMode;
        state_.Settings.DisplayModeDayInForce = state_.Settings.DisplayModeDay;
        if (DataFilePath() != state_.DataFile.Path()) {
          tried = DataFilePath();
          switched = state_.DataFile.SwitchTo(tried, state_.PostTable);
          if (switched->outcome == LabelFile::Switch::Refused)
            state_.Settings.FileName = oldFileName;
          else if (switched->outcome == LabelFile::Switch::Taken)
            state_.EditMode = 0;  // a pending modify was of the other file's label
        }
        state_.PostTable.Resize(state_.Settings.DataCnt);
      },
      Entry::Keep);
  if (switched && switched->outcome != LabelFile::Switch::Refused)
    emit DataFileSwitched(QString::fromLocal8Bit(tried));
  if (switched) ShowDataFileSwitch(*switched, tried);
  // Last, the settings file.
  SaveSettingsFile();
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

void TPstMain::RbWeeklyClick() { EnableGroupBoxes(true, false, false); }
void TPstMain::RbMonthly1Click() { EnableGroupBoxes(false, true, false); }
void TPstMain::RbMonthly2Click() { EnableGroupBoxes(false, false, true); }

// Each kind of recurring entry enables its own boxes and disables the others.
void TPstMain::EnableGroupBoxes(bool weekly, bool monthly1, bool monthly2) {
  CbShWeeklyWeek->setEnabled(weekly);
  CbShWeeklyTime->setEnabled(weekly);
  CbShMonthlyDay->setEnabled(monthly1);
  CbShMonthlyTime1->setEnabled(monthly1);
  CbShMonthlyWeekNo->setEnabled(monthly2);
  CbShMonthlyWeek->setEnabled(monthly2);
  CbShMonthlyTime2->setEnabled(monthly2);
}

// ---------------------------------------------------------------- month grid

void TPstMain::CalDay() {
  const DateTime now = state_.Now();
  const CalendarMonthState cal = CalendarFromPosition(now, UDyymm->Position());
  state_.CalendarAnchor = cal.anchor;
  state_.CalendarMonth = cal.month;
  const auto cells = morna::CalDay(state_.Settings, state_.PostTable, cal, ToSjis(YYMM->text()), now);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const QString caption = FromSjis(cells[k].caption);
    if (Day[k]->text() != caption) Day[k]->setText(caption);
    SetTextColor(Day[k], ToQColor(cells[k].fontColor));
    SetBackColor(Day[k], ToQColor(cells[k].background));
    Day[k]->setToolTip(QString::fromStdString(cells[k].holidayName));  // empty clears it
  }
}

void TPstMain::UDyymmClick() {
  const CalendarMonthState cal = CalendarFromPosition(state_.Now(), UDyymm->Position());
  YYMM->setText(FromSjis(FormatYM(cal.anchor)));
  CalDay();
}

void TPstMain::YYMMClick() {
  state_.CalendarAnchor = DateOrThrow(ReadTitleDate(ToSjis(YYMM->text()), "15"));
  state_.CalendarMonth = MonthOf(state_.CalendarAnchor);
  Calendar().ShowCalendar();
}

void TPstMain::DayxxMouseDown(QLabel* sender, Qt::MouseButton button) {
  if (!sender || sender->text().isEmpty()) return;  // a day of another month
  SelectRbtnSche();
  if (outerWidth_ == kNarrowWidth) SetOuterWidth(kWideWidth);
  const std::optional<DateTime> date =
      DayCellDate(ToSjis(YYMM->text()), ToSjis(sender->text()));
  if (!date) throw ConvertError(kInvalidDate);
  if (button == Qt::LeftButton) {
    PstTime->setText(FromSjis(FormatDateTimeText(*date)));
    SBar->setValue(36);
  } else if (button == Qt::RightButton) {
    // The popup opens on the last label of that day in table order.
    const int last = LastLabelOfDay(state_.PostTable, FormatYMD(*date));
    if (last >= 0) {
      const PostSlot& slot = state_.PostTable.Slot(last);
      Popup().ShowLabel(PopupLabel{slot.DateTimeText, slot.Lines});
    }
  }
}

// ---------------------------------------------------------------- posting

std::string TPstMain::MessageText() const {
  QString text = PstMesg->toPlainText();
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return ToSjis(text);
}

void TPstMain::SetMessageLines(const QStringList& lines) {
  PstMesg->clear();
  // Line by line, so that an empty last line keeps its own line break.
  SetMemoLines(PstMesg, lines);
}

int TPstMain::PostDataSetFromForm(bool replaceModified) {
  const PostEntry entry{ToSjis(PstTime->text()), RbtnTodo->isChecked(), MessageText()};
  int noModify = 0;
  return morna::PostDataSet(state_.PostTable, replaceModified ? state_.EditMode : noModify, entry,
                            PopupLabelNow());
}

int TPstMain::Room() const {
  return PostRoom(state_.PostTable, state_.EditMode, PopupLabelNow());
}

ScheduleEntry TPstMain::GroupEntry() const {
  ScheduleEntry e;
  e.Kind = RbWeekly->isChecked()     ? ScheduleKind::Weekly
           : RbMonthly1->isChecked() ? ScheduleKind::Monthly1
                                     : ScheduleKind::Monthly2;
  e.CbShWeeklyWeek = ToSjis(CbShWeeklyWeek->currentText());
  e.CbShWeeklyTime = ToSjis(CbShWeeklyTime->currentText());
  e.CbShMonthlyDay = ToSjis(CbShMonthlyDay->currentText());
  e.CbShMonthlyTime1 = ToSjis(CbShMonthlyTime1->currentText());
  e.CbShMonthlyWeekNo = ToSjis(CbShMonthlyWeekNo->currentText());
  e.CbShMonthlyWeek = ToSjis(CbShMonthlyWeek->currentText());
  e.CbShMonthlyTime2 = ToSjis(CbShMonthlyTime2->currentText());
  return e;
}

int TPstMain::SchedDataSet() {
  const ScheduleRun run = morna::SchedDataSet(GroupEntry(), ToSjis(PstTime->text()),
                                              state_.Settings.ScheCnt, Room());
  int stored = 0;
  for (std::size_t i = 0; i < run.labels.size(); ++i) {
    PstTime->setText(FromSjis(run.labels[i]));
    // Only the first label takes the place of one being modified; the others
    // go to free slots, and never over a label of this run that happens to
    // look like the modified one.
    if (PostDataSetFromForm(i == 0) >= 0) ++stored;
  }
  if (run.error != ScheduleError::None) {
    // Says what went in before the error, so that posting again does not
    // store those labels twice.
    if (stored == 0) throw ConvertError(kDateTimeError);
    throw StoppedPartWay(kDateTimeError + QChar('\n') +
                         QStringLiteral("%1件のうち%2件を登録したところでエラーになりました。")
                             .arg(std::max(state_.Settings.ScheCnt, 0))
                             .arg(stored));
  }
  return stored;
}

// The table holds its maximum number of labels: `stored` of the `wanted`
// labels of this post went in. Says so and how to make room.
void TPstMain::ShowTableFull(int stored, int wanted) {
  const int max = state_.PostTable.DataCnt();
  QString text =
      stored == 0
          ? QStringLiteral("ラベルの数が上限の%1件に達しているため、登録できません。").arg(max)
          : QStringLiteral("ラベルの数が上限の%1件に達したため、%2件のうち%3件だけ登録しました。")
                .arg(max)
                .arg(wanted)
                .arg(stored);
  text += QChar('\n');
  text += max < kMaxDataCnt
              ? QStringLiteral("ラベルを削除するか、メニューの「設定画面の表示」の「Data」タブで"
                               "「Data Count」を増やしてください。")
              : QStringLiteral("ラベルを削除してください。");
  Messages().Show(kFileBoxCaption, text, BoxIcon::Warning);
}

void TPstMain::BtnPostClick() {
  try {
    // The date-time of a Schedule-1 label. Its text is stored as it stands,
    // and the data file knows a time line only by its length, so anything
    // but the 16 characters of "yyyy/mm/dd hh:mm" is refused as well.
    if (RbtnSche->isChecked() && !IsValidPostDateTime(ToSjis(PstTime->text())))
      throw ConvertError(kDateTimeError);
    // The message: an empty first line is replaced by the prompt.
    const QString text = PstMesg->toPlainText();
    if (IsFirstLineEmpty(ToSjis(text))) {
      const qsizetype firstBreak = text.indexOf(QChar('\n'));
      PstMesg->setPlainText(kMessagePrompt + (firstBreak < 0 ? QString() : text.mid(firstBreak)));
      return;
    }
    // A table without room takes nothing: the entry stays as typed, nothing
    // on screen or on disk changes, and the user is told how to make room.
    const bool recurring = RbtnSche2->isChecked();
    const int wanted = recurring ? std::max(state_.Settings.ScheCnt, 0) : 1;
    if (wanted > 0 && Room() == 0) {
      ShowTableFull(0, wanted);
      return;
    }
    if (!text.endsWith(QChar('\n'))) {
      QTextCursor end(PstMesg->document());
      end.movePosition(QTextCursor::End);
      end.insertText(QStringLiteral("\n"));
    }
    int stored = 0;
    ChangeLabels([&] { stored = recurring ? SchedDataSet() : (PostDataSetFromForm() >= 0 ? 1 : 0); },
                 Entry::Reset);
    activateWindow();
    // Part of a recurring entry did not fit.
    if (stored < wanted) ShowTableFull(stored, wanted);
  } catch (const StoppedPartWay& e) {
    Messages().Show(kFileBoxCaption, e.text(), BoxIcon::Error);
  } catch (const ConvertError&) {
    Messages().Show(kFileBoxCaption, kDateTimeError, BoxIcon::Error);
  }
  if (state_.Settings.Caln == 1) {
    SetOuterWidth(kNarrowWidth);
    SelectRbtnSche();
  }
}

void TPstMain::ChangeLabels(const std::function<void()>& change, Entry entry) {
  const QScopedValueRollback<bool> onRoad(onRoad_, true);
  // The windows are taken down to be re-filled by the build below: moving a
  // window that stands already costs far less than making a new one.
  windows_->TakeDown();
  auto rest = [&](Entry after) {
    PostDataSort();
    if (after == Entry::Reset) PstMainFormSet();  // refills the month grid too
    else CalDay();
    windows_->DisplayData();
    // The save takes in what changed on disk meanwhile; then the labels on
    // screen follow it.
    if (SavePostDataFile()) {
      PostDataSort();
      CalDay();
      windows_->DisplayData();
    }
    if (calendar_) calendar_->Refill();
  };
  try {
    if (change) change();
  } catch (...) {
    rest(Entry::Keep);
    throw;
  }
  rest(entry);
}

void TPstMain::PostDataSort() {
  std::vector<PostSlot> past;
  morna::PostDataSort(state_.PostTable, state_.EditMode, PopupLabelNow(),
                      state_.Settings.PastData, state_.Now(), &past);
  // No label removed as past goes without a copy: a clock that was wrong
  // for a moment must not cost labels for good.
  if (const FileResult kept = KeepPastLabels(state_.DataFile.Path(), past); !kept.ok())
    ShowFileError(QStringLiteral("ファイルの書込みで[ "), kept.systemMessage);
}

void TPstMain::PostMesgClick(const QStringList& lines) { SetMessageLines(lines); }

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
  state_.EditMode = 1;
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
  state_.EditMode = 9;
  SelectRbtnSche();
  ChangeLabels({}, Entry::Reset);  // ordering carries out the delete
  Popup().hide();
}

void TPstMain::BtnCanClick() {
  RbtnScheClick();  // the short window, whichever kind is checked
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  Popup().hide();
}

// ---------------------------------------------------------------- schedule timer

void TPstMain::SchTimerTimer() {
  // The fallback for outside changes a watcher missed; its failure is shown
  // and the tick goes on.
  Guard([this] { FollowDataFile(); });
  const DateTime now = state_.Now();
  const std::vector<TickStep> steps =
      morna::SchTimerTimer(state_.Timer, state_.Settings, state_.PostTable, windows_->Captions(),
                           state_.AlarmWindowCount, now);
  for (const TickStep& step : steps) {
    switch (step.kind) {
      case TickStep::Kind::FollowNewDate:
        YYMM->setText(FromSjis(FormatYM(now)));
        PstMainFormSet();
        break;
      case TickStep::Kind::Recolor:
        windows_->Recolor(step.window, step.color, step.captionColor);
        break;
      case TickStep::Kind::AlarmOut:
        AlarmOut();
        break;
      case TickStep::Kind::Notify:
        NotifyLabel(step.window, step.due);
        break;
    }
  }
}

void TPstMain::AlarmOut() {
  const std::string wave = state_.Settings.WaveFileName;
  AlarmPlayer& player = services_.player;
  AlarmOutcome outcome;
  QString fileText, outputText;
  auto playBuiltIn = [&] {
    try {
      player.PlayBuiltIn();
    } catch (const Error& e) {
      outcome.outputFailed = true;
      outputText = e.text();
    }
  };
  if (wave.empty()) {
    playBuiltIn();
  } else {
    try {
      player.Play(FromSjis(wave));
    } catch (const SoundError& e) {
      if (e.cause() == SoundError::Cause::Output) {
        outcome.outputFailed = true;
        outputText = e.text();
      } else {
        outcome.fileFailed = true;
        fileText = e.text();
      }
    } catch (const Error& e) {
      outcome.fileFailed = true;
      fileText = e.text();
    }
    // The alarm is still heard: the chime stands in for the file.
    if (outcome.fileFailed) playBuiltIn();
  }

  const AlarmTell tell = alarmReports_.After(wave, outcome);
  if (tell.file) {
    ReportSoundFailure(AlarmTell{true, false},
                       outcome.outputFailed
                           ? fileText
                           : fileText + QStringLiteral("\n\n代わりに内蔵のアラーム音を鳴らしました。"
                                                       "設定画面の「Data」タブで音を選び直せます。"));
  }
  if (tell.output) {
    ReportSoundFailure(AlarmTell{false, true},
                       outputText + QStringLiteral("\n\nラベルの色は変わり続けます。"
                                                   "この知らせは音が鳴るようになるまで再び出ません。"));
  }
}

void TPstMain::ReportSoundFailure(AlarmTell tell, const QString& text) {
  const bool scheduled = reportTell_.Any();
  reportTell_.file = reportTell_.file || tell.file;
  reportTell_.output = reportTell_.output || tell.output;
  reportTexts_ << text;
  if (scheduled) return;
  // The box comes after the handler: the schedule timer is never held by it
  // (a modal box runs its own loop, in which the timer goes on ticking).
  QTimer::singleShot(0, this, [this] {
    const AlarmTell told = reportTell_;
    const QString text = reportTexts_.join(QStringLiteral("\n\n"));
    reportTell_ = {};
    reportTexts_.clear();
    GeneralErrorHandler(text);
    alarmReports_.Closed(told);
  });
}

void TPstMain::NotifyLabel(int window, bool due) {
  const TPstPost* post = windows_->At(window);
  if (!post) return;
  const QStringList lines = post->Lines();
  const QString when = post->Caption().trimmed();
  Notifications().Show(due ? when : when + QStringLiteral(" (まもなく)"),
                       lines.isEmpty() ? QString() : lines.first());
}

}  // namespace morna::ui
