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
#include "core/schedule.h"
#include "ui/Pmain.h"
#include "ui/Pmain_look.h"
#include "ui/PostWindows.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/codec.h"
#include "ui/help.h"
#include "ui/sound.h"

namespace morna::ui {

namespace {

const QString kDateTimeError =
    QStringLiteral("Date & Timeの設定がまちがっています。") + QChar('\r') +
    QStringLiteral("修正してください。");
const QString kMessagePrompt = QStringLiteral("メッセージ入力！！");
const QString kInvalidDate = QStringLiteral("日付に変換できない値が渡されました");

// Reads a whole text as an integer the way the date fields are read.
int ReadInt(std::string_view text) {
  const std::optional<int> v = ParseInt(text);
  if (!v) throw ConvertError(QStringLiteral("'%1' は整数ではありません").arg(FromSjis(text)));
  return *v;
}

QString SystemText(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

// ---------------------------------------------------------------- start-up and end

void TPstMain::FormCreate() {
  // 1. Schedule-1 and the short window.
  if (!RbtnSche->isChecked()) RbtnSche->setChecked(true);
  SetOuterHeight(kShortHeight);
  // 2.
  state_.LastTickTime = state_.Now();
  // 3, 4: the settings controller and the day cells exist since construction.
  // 5. Settings and the window's place.
  ctl_.LoadSettings(state_.iniPath, state_.settings, state_.mainPos);
  move(state_.mainPos.Left, state_.mainPos.Top);
  MoveOntoDesktop();
  // 6.
  state_.settings.DisplayModeInForce = state_.settings.DisplayMode;
  state_.settings.DisplayModeDayInForce = state_.settings.DisplayModeDay;
  // 7, 8. The table and the labels.
  state_.table = PostTable(state_.settings.DataCnt);
  LoadPostDataFile();
  // 9 - 12. Fonts, colour, input method, width.
  FontSet();
  ApplyEcolor();
  ApplyImeMode();
  if (state_.settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  // 13 - 15. Today.
  YYMM->setText(FromSjis(FormatYM(state_.Now())));
  state_.DisplayBaseTime = state_.Now();
  PstMainFormSet();
  // 16, 17. Order the labels and put up their windows.
  PostDataSort(state_.table, state_.EditMode, popup_->Label(), state_.settings.PastData,
               state_.Now());
  windows_->DisplayData();
  // 18.
  hide();
  // 19. The count-down alarm.
  if (CountDownDue(state_.settings, state_.table, state_.Now())) AlarmOut();
}

void TPstMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  services_.help.Quit();
}

void TPstMain::BtnEndClick() {
  SavePostDataFile();  // a failure is shown and the end goes on
  state_.mainPos = CurrentPos();
  if (!ctl_.SaveSettings(state_.iniPath, state_.settings, state_.mainPos))
    throw Error(QStringLiteral("%1 に書き込めません").arg(QString::fromLocal8Bit(state_.iniPath)));
  if (Quit)
    Quit();
  else
    QCoreApplication::quit();
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

void TPstMain::ApplyEcolor() { SetBackColor(this, ToQColor(state_.settings.Ecolor)); }

// The input method of the message box. Qt knows no open/closed or kana modes
// of its own; what it offers is switching input methods off and asking for
// Latin input. So "disabled" (3) turns the input method off, the two
// alphanumeric modes (7, 8) ask for Latin input, the open and kana modes
// (1, 4, 5, 6) give the input method back without hints, and 0, 2 and values
// out of range leave the box as it is.
void TPstMain::ApplyImeMode() {
  switch (state_.settings.IMEMode) {
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

void TPstMain::LoadPostDataFile() {
  const std::string path = NativePath(state_.settings.FileName);
  FileResult result;
  try {
    result = morna::LoadPostDataFile(path, state_.table);
  } catch (...) {
    state_.dataFileLoadFailed = true;
    failedDataPath_ = path;
    throw;
  }
  if (result.status == FileResult::Status::Failed) {
    state_.dataFileLoadFailed = true;
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
  const std::string path = NativePath(state_.settings.FileName);
  if (!failedDataPath_.empty() && failedDataPath_ == path && !KeepFailedDataFile(path)) return;
  const FileResult result = morna::SavePostDataFile(path, state_.table);
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
      throw ConvertError(QStringLiteral("'%1' は整数ではありません").arg(FromSjis(r.text)));
    case SBarResult::Error::InvalidDate:
      throw ConvertError(kInvalidDate);
  }
}

void TPstMain::FontSet() {
  const QString title = FromSjis(state_.settings.TitleFontName);
  for (QWidget* w : std::initializer_list<QWidget*>{PstVerShow, LblDateTime, LblMesg, RbtnSche,
                                                    RbtnSche2, RbtnTodo, RbWeekly, RbMonthly1,
                                                    RbMonthly2, YYMM}) {
    QFont f = w->font();
    f.setFamily(title);
    FitFont(f);
    w->setFont(f);
  }
  const QString cale = FromSjis(state_.settings.CaleFontName);
  auto calendarFont = [&](QWidget* w) {
    QFont f = w->font();
    f.setFamily(cale);
    if (state_.settings.CaleFontSize > 0) f.setPointSize(state_.settings.CaleFontSize);
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
  SetOuterWidth(state_.settings.Caln == 1 ? kNarrowWidth : kWideWidth);
  PstMesg->clear();
  show();
  raise();
  activateWindow();
}

void TPstMain::ProgHideClick() { hide(); }

void TPstMain::ProgHelpClick() { services_.help.ShowFirstTopic(); }

void TPstMain::CalDispClick() { YYMMClick(); }

void TPstMain::InitDispClick() {
  if (ShowSettingsHook) ShowSettingsHook();  // HOOK: the settings dialog
}

void TPstMain::PstVerShowClick() {
  if (ShowSettingsHook) ShowSettingsHook();  // HOOK: the settings dialog
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

void TPstMain::RbWeeklyClick() {
  CbShWeeklyWeek->setEnabled(true);
  CbShWeeklyTime->setEnabled(true);
  CbShMonthlyDay->setEnabled(false);
  CbShMonthlyTime1->setEnabled(false);
  CbShMonthlyWeekNo->setEnabled(false);
  CbShMonthlyWeek->setEnabled(false);
  CbShMonthlyTime2->setEnabled(false);
}

void TPstMain::RbMonthly1Click() {
  CbShWeeklyWeek->setEnabled(false);
  CbShWeeklyTime->setEnabled(false);
  CbShMonthlyDay->setEnabled(true);
  CbShMonthlyTime1->setEnabled(true);
  CbShMonthlyWeekNo->setEnabled(false);
  CbShMonthlyWeek->setEnabled(false);
  CbShMonthlyTime2->setEnabled(false);
}

void TPstMain::RbMonthly2Click() {
  CbShWeeklyWeek->setEnabled(false);
  CbShWeeklyTime->setEnabled(false);
  CbShMonthlyDay->setEnabled(false);
  CbShMonthlyTime1->setEnabled(false);
  CbShMonthlyWeekNo->setEnabled(true);
  CbShMonthlyWeek->setEnabled(true);
  CbShMonthlyTime2->setEnabled(true);
}

// ---------------------------------------------------------------- month grid

void TPstMain::CalDay() {
  const DateTime now = state_.Now();
  const CalendarMonthState cal = CalendarFromPosition(now, UDyymm->Position());
  state_.CalendarAnchor = cal.anchor;
  state_.CalendarMonth = cal.month;
  const auto cells = morna::CalDay(state_.settings, state_.table, cal, ToSjis(YYMM->text()), now);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    Day[k]->setText(FromSjis(cells[k].caption));
    SetTextColor(Day[k], ToQColor(cells[k].fontColor));
    SetBackColor(Day[k], ToQColor(cells[k].background));
  }
}

void TPstMain::UDyymmClick() {
  const CalendarMonthState cal = CalendarFromPosition(state_.Now(), UDyymm->Position());
  YYMM->setText(FromSjis(FormatYM(cal.anchor)));
  CalDay();
}

void TPstMain::YYMMClick() {
  const std::string title = ToSjis(YYMM->text());
  const int year = ReadInt(Chars(title, 1, 4));
  const int month = ReadInt(Chars(title, 6, 7));
  if (!IsValidDate(year, month, 15)) throw ConvertError(kInvalidDate);
  state_.CalendarAnchor = MakeDateTime(year, month, 15);
  state_.CalendarMonth = month;
  if (ShowCalendarHook) ShowCalendarHook();  // HOOK: the calendar window
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
    const int last = LastLabelOfDay(state_.table, FormatYMD(*date));
    if (last >= 0) {
      const PostSlot& slot = state_.table.Slot(last);
      popup_->ShowLabel(FromSjis(slot.DateTimeText), FromSjisLines(slot.Lines));
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

int TPstMain::PostDataSetFromForm() {
  const PostEntry entry{ToSjis(PstTime->text()), RbtnTodo->isChecked(), MessageText()};
  return morna::PostDataSet(state_.table, state_.EditMode, entry, popup_->Label());
}

void TPstMain::SchedDataSet() {
  if (SchedDataSetHook) SchedDataSetHook(*this);  // HOOK: the Schedule-2 expansion
}

void TPstMain::BtnPostClick() {
  bool windowsDown = false;
  try {
    // The date-time of a Schedule-1 label. Its text is stored as it stands,
    // and the data file knows a time line only by its length, so anything
    // but the 16 characters of "yyyy/mm/dd hh:mm" is refused as well.
    if (RbtnSche->isChecked()) {
      const std::string t = ToSjis(PstTime->text());
      if (t.size() != kToDoSentinel.size() || !IsValidPostDateTime(t))
        throw ConvertError(kDateTimeError);
    }
    // The message: an empty first line is replaced by the prompt.
    const QString text = PstMesg->toPlainText();
    const qsizetype firstBreak = text.indexOf(QChar('\n'));
    if ((firstBreak < 0 ? text : text.left(firstBreak)).isEmpty()) {
      PstMesg->setPlainText(kMessagePrompt + (firstBreak < 0 ? QString() : text.mid(firstBreak)));
      return;
    }
    if (!text.endsWith(QChar('\n'))) {
      QTextCursor end(PstMesg->document());
      end.movePosition(QTextCursor::End);
      end.insertText(QStringLiteral("\n"));
    }
    windows_->DeleteDisplayData();
    windowsDown = true;
    if (RbtnSche2->isChecked())
      SchedDataSet();
    else
      PostDataSetFromForm();
    PostDataSort(state_.table, state_.EditMode, popup_->Label(), state_.settings.PastData,
                 state_.Now());
    windows_->DisplayData();
    windowsDown = false;
    SavePostDataFile();
    PstMainFormSet();
    activateWindow();
  } catch (const ConvertError&) {
    // A Schedule-2 entry can fail part-way, after some labels were stored:
    // put the windows back up and save, so screen and file show the table.
    if (windowsDown) {
      PostDataSort(state_.table, state_.EditMode, popup_->Label(), state_.settings.PastData,
                   state_.Now());
      windows_->DisplayData();
      SavePostDataFile();
    }
    Messages().Show(kFileBoxCaption, kDateTimeError, BoxIcon::Error);
  }
  if (state_.settings.Caln == 1) {
    SetOuterWidth(kNarrowWidth);
    SelectRbtnSche();
  }
}

void TPstMain::PostMesgClick(const QStringList& lines) { SetMessageLines(lines); }

// ---------------------------------------------------------------- the popup's buttons

void TPstMain::BtnModClick() {
  state_.EditMode = 1;
  SelectRbtnSche();
  const QString caption = popup_->Caption();
  const bool todo = caption.contains(QStringLiteral("ToDo"));
  if (todo && !RbtnTodo->isChecked()) {
    RbtnTodo->setChecked(true);
    RbtnTodoClick();
  }
  SetMessageLines(popup_->Lines());
  if (!todo) {
    const std::string c = ToSjis(caption);
    const std::optional<int> pos = SBarForCaption(c);
    if (!pos) {
      ReadInt(Chars(c, 12, 13));
      ReadInt(Chars(c, 15, 16));
      throw ConvertError(kInvalidDate);
    }
    // The scroll bar's own change handler is kept out: the caption replaces
    // PstTime below anyway, and the handler would read PstTime as it stands
    // now (after a ToDo label, "    ToDo") and fail with an error box.
    const QSignalBlocker quiet(SBar);
    SBar->setValue(*pos);
  }
  if (state_.settings.Caln == 1) SetOuterWidth(kWideWidth);
  show();
  // The window may already be open behind the popup; it must become the
  // active one, or the message box would hold the focus without any key
  // reaching it.
  activateWindow();
  PstMesg->moveCursor(QTextCursor::Start);
  PstMesg->ensureCursorVisible();
  PstMesg->setFocus();
  PstTime->setText(caption);
  popup_->hide();
}

void TPstMain::BtnDelClick() {
  state_.EditMode = 9;
  SelectRbtnSche();
  windows_->DeleteDisplayData();
  PostDataSort(state_.table, state_.EditMode, popup_->Label(), state_.settings.PastData,
               state_.Now());
  PstMainFormSet();
  windows_->DisplayData();
  SavePostDataFile();
  popup_->hide();
}

void TPstMain::BtnCanClick() {
  RbtnScheClick();  // the short window, whichever kind is checked
  if (state_.settings.Caln == 1) SetOuterWidth(kNarrowWidth);
  popup_->hide();
}

// ---------------------------------------------------------------- schedule timer

void TPstMain::SchTimerTimer() {
  const DateTime now = state_.Now();
  TickState tick{state_.LastTickTime, state_.DisplayBaseTime};
  const std::vector<TickStep> steps =
      morna::SchTimerTimer(tick, state_.settings, state_.table, windows_->Captions(),
                           state_.AlarmWindowCount, now);
  state_.LastTickTime = tick.LastTickTime;
  state_.DisplayBaseTime = tick.DisplayBaseTime;
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

void TPstMain::AlarmOut() { services_.player.Play(FromSjis(state_.settings.WaveFileName)); }

}  // namespace morna::ui
