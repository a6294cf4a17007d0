#include "ui/Pcal.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>

#include "core/calwindow.h"
#include "ui/access.h"
#include "ui/codec.h"
#include "ui/language.h"
#include "ui/errors.h"
#include "ui/look.h"

namespace morna::ui {

namespace {

// Client sizes from the settings are used within these bounds; the window's
// minimum size raises a smaller one further.
constexpr int kMaxClientSize = 8192;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

TPstCal::TPstCal(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      state_(state) {
  setObjectName("PstCal");
  setWindowTitle(QStringLiteral("Calendar of Moranote"));
  setWindowIcon(AppIcon());
  setFont(LookFont(QStringLiteral("ＭＳ Ｐゴシック"), 12, false));
  setMinimumSize(kMinClientWidth, kMinClientHeight);

  Panel = new TClickLabel(QStringLiteral("1999/06"), this);
  Panel->setObjectName("Panel");
  Panel->setAlignment(Qt::AlignCenter);
  Panel->setFont(LookFont("Times New Roman", 16, true));
  SetTextColor(Panel, Qt::white);
  SetBackColor(Panel, ToQColor(kNavy));
  ConnectGuarded(Panel, &TClickLabel::mouseDown, this, &TPstCal::PanelMouseDown);

  static const char* const kWeekCaptions[7] = {"S", "M", "T", "W", "T", "F", "S"};
  const QFont weekFont = LookFont("Times New Roman", 13, true);
  for (int i = 0; i < 7; ++i) {
    QLabel* w = new QLabel(kWeekCaptions[i], this);
    w->setObjectName(QStringLiteral("Week%1").arg(i + 1));
    w->setAlignment(Qt::AlignCenter);
    w->setFont(weekFont);
    SetTextColor(w, ToQColor(i == 0 ? kRed : i == 6 ? kAqua : kWhite));
    SetBackColor(w, ToQColor(kTeal));
    Week[i] = w;
  }

  const QFont dayFont = LookFont("Times New Roman", 12, true);
  const QFont memoFont = LookFont(QStringLiteral("ＭＳ Ｐゴシック"), 12, false);
  const QColor navy = ToQColor(kNavy);
  QPalette memoPalette = palette();
  memoPalette.setColor(QPalette::Base, ToQColor(kLightYellow));
  memoPalette.setColor(QPalette::Text, Qt::black);
  for (int k = 0; k < 42; ++k) {
    QLabel* d = new QLabel(this);
    d->setObjectName(QStringLiteral("CalDay%1").arg(k + 1));
    d->setAlignment(Qt::AlignCenter);
    d->setFont(dayFont);
    SetTextColor(d, Qt::white);
    SetBackColor(d, navy);
    CalDay[k] = d;

    QPlainTextEdit* m = new QPlainTextEdit(this);
    m->setObjectName(QStringLiteral("CalMemo%1").arg(k + 1));
    m->setReadOnly(true);
    m->setFrameShape(QFrame::NoFrame);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->document()->setDocumentMargin(1);
    m->setFont(memoFont);
    m->setPalette(memoPalette);
    m->installEventFilter(this);
    CalMemo[k] = m;
  }
  resize(kDesignClientWidth, kDesignClientHeight);
  ArrangeCalendar();
  SpeakCalendar(*this);
}

void TPstCal::ShowCalendar() {
  if (!isVisible()) FormShow();
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TPstCal::FormShow() {
  const Settings& s = state_.Settings;
  QSize client = size();
  if (s.CalHeightC == 1) client.setHeight(std::clamp(s.CalHeight, 1, kMaxClientSize));
  if (s.CalWidthC == 1) client.setWidth(std::clamp(s.CalWidth, 1, kMaxClientSize));
  resize(client);

  // Centred on the screen; a window larger than the screen keeps its title
  // bar on it, so that it can still be moved and closed.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    const int outerWidth = width() + kFrameWidth;
    const int outerHeight = height() + kFrameHeight;
    move(area.left() + std::max(0, (area.width() - outerWidth) / 2),
         area.top() + std::max(0, (area.height() - outerHeight) / 2));
  }
  FillCalendar();
}

void TPstCal::FillCalendar() {
  Fill(CalendarMonthState{state_.CalendarAnchor, state_.CalendarMonth});
}

void TPstCal::Refill() {
  if (isVisible()) Fill(shown_);
}

void TPstCal::Fill(const CalendarMonthState& month) {
  shown_ = month;
  const CalendarPage page = morna::FillCalendar(state_.Settings, state_.Labels.Table(), month);
  Panel->setText(FromSjis(page.title));
  for (std::size_t k = 0; k < page.cells.size(); ++k) {
    const CalendarCell& cell = page.cells[k];
    CalDay[k]->setText(FromSjis(cell.caption));
    SetTextColor(CalDay[k], ToQColor(cell.fontColor));
    CalDay[k]->setToolTip(CoreText("Holidays", cell.holidayName));
    const QString name = DayName(cell.speech, !cell.shown);
    Rename(CalDay[k], name);
    Rename(CalMemo[k], name);
    SetMemoLines(CalMemo[k], FromSjisLines(cell.memo));
    CalDay[k]->setVisible(cell.shown);
    CalMemo[k]->setVisible(cell.shown);
  }
}

void TPstCal::ArrangeCalendar() {
  const CalendarLayout layout = morna::ArrangeCalendar(width(), height());
  Panel->setGeometry(ToQRect(layout.panel));
  for (std::size_t c = 0; c < Week.size(); ++c) Week[c]->setGeometry(ToQRect(layout.week[c]));
  for (std::size_t k = 0; k < CalDay.size(); ++k) {
    CalDay[k]->setGeometry(ToQRect(layout.day[k]));
    CalMemo[k]->setGeometry(ToQRect(layout.memo[k]));
  }
}

void TPstCal::PanelMouseDown(Qt::MouseButton button) {
  if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton) return;
  StepMonth(button == Qt::LeftButton);
}

void TPstCal::StepMonth(bool forward) {
  // Past the years 1 to 9999 the title stays on the first or last month.
  const std::optional<DateTime> anchor = StepCalendarMonth(ToSjis(Panel->text()), forward);
  if (!anchor) return;
  state_.CalendarAnchor = *anchor;
  state_.CalendarMonth = MonthOf(*anchor);
  FillCalendar();
}

void TPstCal::ShowTodaysMonth() {
  const CalendarMonthState today = CalendarFromPosition(state_.Now(), 0);
  state_.CalendarAnchor = today.anchor;
  state_.CalendarMonth = today.month;
  FillCalendar();
}

bool TPstCal::KeyPress(int key) {
  switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_Left: StepMonth(false); return true;
    case Qt::Key_PageDown:
    case Qt::Key_Right: StepMonth(true); return true;
    case Qt::Key_Home: ShowTodaysMonth(); return true;
    case Qt::Key_Escape: close(); return true;
    default: return false;
  }
}

void TPstCal::keyPressEvent(QKeyEvent* event) {
  bool handled = false;
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)
    Guard([&] { handled = KeyPress(event->key()); });
  if (!handled) QWidget::keyPressEvent(event);
}

bool TPstCal::eventFilter(QObject* watched, QEvent* event) {
  // A memo box with the focus would take these keys for itself (scrolling,
  // moving its cursor): the window takes them first.
  if (event->type() == QEvent::KeyPress && watched != this) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      bool handled = false;
      Guard([&] { handled = KeyPress(key->key()); });
      if (handled) return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TPstCal::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeCalendar();
}

}  // namespace morna::ui
