// The registration window's handlers: start-up and end, the entry fields,
// the menu and icon, the month grid, posting, the popup's buttons and the
// schedule timer.
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

#include "core/calendar.h"
#include "core/datafile.h"
#include "core/entry.h"
#include "core/files.h"
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

namespace morna::ui {

namespace {

const QString kDateTimeError =
    QStringLiteral("Date & Timeの設定がまちがっています。") + QChar('\r') +
    QStringLiteral("修正してください。");
const QString kMessagePrompt = QStringLiteral("メッセージ入力！！");
const QString kInvalidDate = QStringLiteral("日付に変換できない値が渡されました");

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
  // 1. Schedule-1 and the short window.
  if (!RbtnSche->isChecked()) RbtnSche->setChecked(true);
  SetOuterHeight(kShortHeight);
  // 2.
  state_.Timer.LastTickTime = state_.Now();
  // 3, 4: the settings controller and the day cells exist since construction.
  // 5. Settings and the window's place.
  ctl_.LoadSettings(state_.SettingsFile, state_.Settings, state_.MainPos);
  // A far-off stored position is brought near the screens first; the check
  // below then puts the window where it can be reached.
  move(std::clamp(state_.MainPos.Left, -kMaxScreenCoordinate, kMaxScreenCoordinate),
       std::clamp(state_.MainPos.Top, -kMaxScreenCoordinate, kMaxScreenCoordinate));
  MoveOntoDesktop();
  // 6.
  state_.Settings.DisplayModeInForce = state_.Settings.DisplayMode;
  state_.Settings.DisplayModeDayInForce = state_.Settings.DisplayModeDay;
  // 7, 8. The table and the labels.
  state_.PostTable = PostTable(state_.Settings.DataCnt);
  LoadPostDataFile();
  // 9 - 12. Fonts, colour, input method, width.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  // 13 - 15. Today.
  YYMM->setText(FromSjis(FormatYM(state_.Now())));
  state_.Timer.DisplayBaseTime = state_.Now();
  PstMainFormSet();
  // 16, 17. Order the labels and put up their windows.
  PostDataSort();
  windows_->DisplayData();
  // 18.
  hide();
  // 19. The count-down alarm.
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
  if (!ctl_.SaveSettings(state_.SettingsFile, state_.Settings, state_.MainPos))
    throw Error(QStringLiteral("%1 に書き込めません").arg(QString::fromLocal8Bit(state_.SettingsFile)));
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
// (1, 4, 5, 6) give the input method back without hints, and 0, 2 and values
// out of range leave the box as it is.
void TPstMain::ApplyImeMode() {
  switch (state_.Settings.IMEMode) {
    case 3:
      PstMesg->setAttribute(Qt::WA_InputMethodEnabled, false);
      PstMesg->setInputMethodHints(Qt::ImhLatinOnly);
      break;
    case 7:
    case 8:
      PstMesg->setAttribute(Qt::WA_InputMethodEnabled, true);
      PstMesg->setInputMethodHints(Qt::ImhLatinOnly);
      break;
    case 1:
    case 4:
    case 5:
    case 6:
      PstMesg->setAttribute(Qt::WA_InputMethodEnabled, true);
      PstMesg->setInputMethodHints(Qt::ImhNone);
      break;
    default:
      break;
  }
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
  const std::string path = DataFilePath();
  FileResult result;
  try {
    result = morna::LoadPostDataFile(path, state_.PostTable);
  } catch (...) {
    state_.DataFileLoadFailed = true;
    failedDataPath_ = path;
    throw;
  }
  if (result.status == FileResult::Status::Failed) {
    state_.DataFileLoadFailed = true;
    failedDataPath_ = path;
    ShowFileError(QStringLiteral("ファイルの読込みで[ "), result.systemMessage);
  }
}

// The data file could not be read at start-up, so the table does not hold
// its labels. Before it is overwritten the first time, it is moved aside
// (KeepAside: "<name>.bak", .bak2 ... or a time-stamped name), which needs
// no read access to it. Returns false when that failed; the error has been
// shown.
bool TPstMain::KeepFailedDataFile(const std::string& path) {
  const KeptAside kept = KeepAside(path, state_.Now());
  if (!kept.ok) {
    ShowFileError(QStringLiteral("ファイルの書込みで[ "), kept.error);
    return false;
  }
  failedDataPath_.clear();
  return true;
}

void TPstMain::SavePostDataFile() {
  const std::string path = DataFilePath();
  if (!failedDataPath_.empty() && failedDataPath_ == path && !KeepFailedDataFile(path)) return;
  const FileResult result = morna::SavePostDataFile(path, state_.PostTable);
  if (!result.ok()) ShowFileError(QStringLiteral("ファイルの書込みで[ "), result.systemMessage);
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
  // 1 - 4. A fresh dialog each time.
  settingsDialog_ = std::make_unique<TPstInit>(state_);
  settingsDialog_->LblVersion1->setText(QStringLiteral("Desktop reminder: labels and alarms"));
  settingsDialog_->LblVersion2->setText(QStringLiteral("Product Version  V1.20 00.12.16"));
  settingsDialog_->exec();
  settingsDialog_.reset();
  // 5.
  if (state_.SettingsCancelled != 0) return;
  // 6 - 8.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  // 9 - 11. The label windows go with the display mode they were built
  // with and come back with the new one; the table follows a new data count
  // without losing a label. (The road also orders and saves the labels.)
  ChangeLabels([this] {
    state_.Settings.DisplayModeInForce = state_.Settings.DisplayMode;
    state_.Settings.DisplayModeDayInForce = state_.Settings.DisplayModeDay;
    state_.PostTable.Resize(state_.Settings.DataCnt);
  });
  // 12.
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
  if (run.error != ScheduleError::None) throw ConvertError(kDateTimeError);
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
    ChangeLabels([&] {
      stored = recurring ? SchedDataSet() : (PostDataSetFromForm() >= 0 ? 1 : 0);
    });
    PstMainFormSet();
    activateWindow();
    // Part of a recurring entry did not fit.
    if (stored < wanted) ShowTableFull(stored, wanted);
  } catch (const ConvertError&) {
    Messages().Show(kFileBoxCaption, kDateTimeError, BoxIcon::Error);
  }
  if (state_.Settings.Caln == 1) {
    SetOuterWidth(kNarrowWidth);
    SelectRbtnSche();
  }
}

void TPstMain::ChangeLabels(const std::function<void()>& change,
                            const std::function<void()>& afterOrder) {
  // The windows are taken down to be re-filled by the build below: moving a
  // window that stands already costs far less than making a new one.
  windows_->TakeDown();
  auto rest = [&] {
    PostDataSort();
    if (afterOrder) afterOrder();
    windows_->DisplayData();
    SavePostDataFile();
    if (calendar_) calendar_->Refill();
  };
  try {
    if (change) change();
  } catch (...) {
    rest();
    throw;
  }
  rest();
}

void TPstMain::PostDataSort() {
  morna::PostDataSort(state_.PostTable, state_.EditMode, PopupLabelNow(),
                      state_.Settings.PastData, state_.Now());
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
  ChangeLabels({}, [this] { PstMainFormSet(); });  // ordering carries out the delete
  Popup().hide();
}

void TPstMain::BtnCanClick() {
  RbtnScheClick();  // the short window, whichever kind is checked
  if (state_.Settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  Popup().hide();
}

// ---------------------------------------------------------------- schedule timer

void TPstMain::SchTimerTimer() {
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
        AlarmOut();  // a failure ends the tick
        break;
    }
  }
}

void TPstMain::AlarmOut() { services_.player.Play(FromSjis(state_.Settings.WaveFileName)); }

}  // namespace morna::ui
