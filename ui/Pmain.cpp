// The registration window: construction, layout, connections and sizes.
// The handlers are in Pmain_actions.cpp.
#include "ui/Pmain.h"
#include "ui/caldav.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileSystemWatcher>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "core/entry.h"
#include "ui/Pcal.h"
#include "ui/Pinit.h"
#include "ui/PostWindows.h"
#include "ui/MonthGrid.h"
#include "ui/Ppsub.h"
#include "ui/ScheduleGroup.h"
#include "ui/TaskTray.h"
#include "ui/access.h"
#include "ui/autostart.h"
#include "ui/codec.h"
#include "ui/help.h"
#include "ui/icsmenu.h"
#include "ui/look.h"
#include "ui/notice.h"

namespace morna::ui {

namespace {

const QColor kNavyText = ToQColor(kNavy);

}  // namespace

// ---------------------------------------------------------------- the window

TPstMain::TPstMain(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      state_(state) {
  setObjectName("PstMain");
  setWindowTitle(kAppTitle);
  setWindowIcon(AppIcon());
  setFont(LookFont("Arial", 12, true));
  SetTextColor(this, kNavyText);
  SetBackColor(this, ToQColor(kSilver));  // silver until the settings are applied
  move(211, 113);

  BuildControls();
  BuildGroup();
  BuildMenu();

  // The popup and the calendar window are made when first needed; until
  // then nothing can tell them from hidden windows made now.
  windows_ = std::make_unique<PostWindows>(state_);
  ConnectGuarded(windows_.get(), &PostWindows::modifyRequested, this,
                 [this](const PopupLabel& label) {
                   // Closed, the popup gives the focus back to the label window it was
                   // opened from (or to this window), so that keys go on from there.
                   QWidget* from = QApplication::activeWindow();
                   Popup().ReturnFocusTo(from != popup_.get() ? from : nullptr, this);
                   Popup().ShowLabel(label);
                 });
  ConnectGuarded(windows_.get(), &PostWindows::mesgClicked, this, &TPstMain::PostMesgClick);

  SchTimer = new QTimer(this);
  SchTimer->setObjectName("SchTimer");
  SchTimer->setInterval(10000);
  DataWatcher = new QFileSystemWatcher(this);
  DataWatcher->setObjectName("DataWatcher");
  DataCheck = new QTimer(this);
  DataCheck->setObjectName("DataCheck");
  DataCheck->setSingleShot(true);
  DataCheck->setInterval(300);

  Connect();
  BuildKeys();
  SpeakMain(*this);
  ApplyWindowSize();
  BuildTray();
  SchTimer->start();
  BtnPost->setFocus();
}

TPstMain::~TPstMain() {
  Guard([this] { FormDestroy(); });
  calDav_.reset();
  calDavNet_.reset();
  windows_.reset();
  popup_.reset();
  calendar_.reset();
}

TPstPsub& TPstMain::Popup() {
  if (!popup_) {
    popup_ = std::make_unique<TPstPsub>();
    ConnectGuarded(popup_->BtnMod, &QPushButton::clicked, this, &TPstMain::BtnModClick);
    ConnectGuarded(popup_->BtnDel, &QPushButton::clicked, this, &TPstMain::BtnDelClick);
    ConnectGuarded(popup_->BtnCan, &QPushButton::clicked, this, &TPstMain::BtnCanClick);
  }
  return *popup_;
}

PopupLabel TPstMain::PopupLabelNow() const { return popup_ ? popup_->Label() : PopupLabel{}; }

TPstCal& TPstMain::Calendar() {
  if (!calendar_) calendar_ = std::make_unique<TPstCal>(state_);
  return *calendar_;
}
PostWindows& TPstMain::Windows() { return *windows_; }

void TPstMain::BuildControls() {
  PstVerShow = Place(new TClickLabel("Moranote ", this), "PstVerShow", 128, 0, 173, 18);
  PstVerShow->setFont(LookFont("Arial", 16, true, true));
  SetTextColor(PstVerShow, kNavyText);

  LblDateTime = Place(new QLabel("Date & Time", this), "LblDateTime", 128, 20, 78, 15);
  LblDateTime->setFont(LookFont("Arial", 12, true));
  SetTextColor(LblDateTime, kNavyText);

  LblMesg = Place(new QLabel("Message", this), "LblMesg", 128, 35, 52, 15);
  LblMesg->setFont(LookFont("Arial", 12, true));
  SetTextColor(LblMesg, kNavyText);

  // Empty until the window is set up with the time of day (FormCreate): a
  // design text would only be laid out to be replaced.
  PstTime = Place(new QLineEdit(this), "PstTime", 203, 20, 115, 18);
  PstTime->setFont(LookFont("Arial", 13, true));
  SetTextColor(PstTime, Qt::black);
  PstTime->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);

  SBar = Place(new QScrollBar(Qt::Horizontal, this), "SBar", 204, 40, 113, 7);
  SBar->setRange(0, kSBarMax);
  SBar->setSingleStep(1);
  SBar->setPageStep(1);
  SBar->setValue(0);
  SBar->setFocusPolicy(Qt::StrongFocus);

  PstMesg = Place(new TLimitedMemo(kMessageLimit, this), "PstMesg", 128, 52, 190, 35);
  PstMesg->setFont(LookFont(QStringLiteral("ＭＳ 明朝"), 13, false));
  SetTextColor(PstMesg, Qt::black);
  // The box starts empty: its design lines ("この領域は、メモ等の情報を",
  // "記録しておく領域で28桁です") are cleared before first use anyway, and
  // laying them out would load the message font at start-up for nothing.
  PstMesg->setTabChangesFocus(true);

  RbtnSche = Place(new QRadioButton("Schedule-1", this), "RbtnSche", 128, 90, 90, 12);
  RbtnTodo = Place(new QRadioButton("ToDo", this), "RbtnTodo", 128, 108, 60, 12);
  RbtnSche2 = Place(new QRadioButton("Schedule-2", this), "RbtnSche2", 225, 90, 90, 12);
  for (QRadioButton* b : {RbtnSche, RbtnTodo, RbtnSche2}) {
    b->setFont(LookFont("Arial", 13, true));
    SetTextColor(b, kNavyText);
  }
  RbtnSche->setChecked(true);
  // One group of their own: left to the window's automatic exclusivity, a
  // click on the chosen kind would find the checked "Weekly" of the
  // Schedule-2 group among the window's buttons and uncheck the kind.
  auto* kinds = new QButtonGroup(this);
  for (QRadioButton* b : {RbtnSche, RbtnTodo, RbtnSche2}) kinds->addButton(b);

  BtnPost = Place(new QPushButton("Post", this), "BtnPost", 205, 106, 50, 16);
  BtnEnd = Place(new QPushButton("End", this), "BtnEnd", 267, 106, 50, 16);
  for (QPushButton* b : {BtnPost, BtnEnd}) {
    b->setFont(LookFont("Arial", 13, true));
    SetTextColor(b, Qt::black);
    b->setAutoDefault(false);
  }

  // The month grid and the Schedule-2 group: widgets of their own; the
  // window keeps their controls' names for its handlers and tests.
  Grid = new TMonthGrid(this);
  YYMM = Grid->YYMM;
  UDyymm = Grid->UDyymm;
  Week = Grid->Week;
  Day = Grid->Day;
}

void TPstMain::BuildGroup() {
  GroupBox1 = new TScheduleGroup(this);

  // Tab order as designed: the entry fields, the kind, the buttons, the
  // month stepper, Schedule-2 and its group.
  const TScheduleGroup* g = GroupBox1;
  QWidget* order[] = {PstTime,           SBar,           PstMesg,           RbtnSche,
                      RbtnTodo,          BtnPost,        BtnEnd,            UDyymm->Up,
                      UDyymm->Down,      RbtnSche2,      g->RbWeekly,       g->RbMonthly1,
                      g->RbMonthly2,     g->CbShWeeklyWeek, g->CbShWeeklyTime, g->CbShMonthlyDay,
                      g->CbShMonthlyTime1, g->CbShMonthlyWeekNo, g->CbShMonthlyWeek,
                      g->CbShMonthlyTime2};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TPstMain::BuildMenu() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName("PopupMenu");
  auto item = [this](const char* name, const QString& caption) {
    QAction* a = PopupMenu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  ProgHide = item("ProgHide", tr("登録画面を閉じる"));
  ProgShow = item("ProgShow", tr("登録画面を表示"));
  PopupMenu->addSeparator();
  CalDisp = item("CalDisp", tr("カレンダーの表示"));
  InitDisp = item("InitDisp", tr("設定画面の表示"));
  PopupMenu->addSeparator();
  ProgHelp = item("ProgHelp", tr("ヘルプの表示"));
  PopupMenu->addSeparator();
  IcsExport = item("IcsExport", tr("iCalendarに書き出す..."));
  IcsImport = item("IcsImport", tr("iCalendarを読み込む..."));
  PopupMenu->addSeparator();
  AutoStart = item("AutoStart", tr("ログイン時に起動"));
  PopupMenu->addSeparator();
  ProgExit = item("ProgExit", tr("プログラムの終了"));
}

void TPstMain::BuildTray() {
  TaskTray = new TTaskTray(this, Shell());
  TaskTray->setObjectName("TaskTray");
  // Each property on its own: a failure is shown and the rest still applies,
  // so a desktop without a notification area only loses the icon.
  Guard([this] {
    TaskTray->SetTipString(kAppTitle);
    const QIcon icon = AppIcon();
    TaskTray->SetIcon(&icon);
    TaskTray->SetPopupMenuL(PopupMenu);
  });
  Guard([this] { TaskTray->SetIconID(1); });
  TaskTray->OnMouseDown = [this](TTaskTray*, Qt::MouseButton button, Qt::MouseButtons, int x,
                                 int y) { Guard([&] { TaskTrayMouseDown(button, x, y); }); };
  // The icon docks once the event loop runs: docking asks the session bus
  // and the display server and waits for their answers (about 5 ms), which
  // the registration window's first appearance need not wait for.
  QTimer::singleShot(0, this, [this] { DockTray(); });
}

void TPstMain::DockTray() {
  // Without a notification area the icon cannot be added: say so once, in a
  // box that holds nothing up (the final update would only repeat it), and
  // go on; the window's own context menu offers the icon's commands, and the
  // icon docks if an area appears later.
  try {
    TaskTray->SetRegistered(true);
    TaskTray->Loaded();
  } catch (const Error& e) {
    ShowNotice(this, NoTrayNoticeText(e.text()));
  }
}

void TPstMain::Connect() {
  auto on = [this](auto* sender, auto signal, void (TPstMain::*handler)()) {
    ConnectGuarded(sender, signal, this, handler);
  };
  on(SBar, &QScrollBar::valueChanged, &TPstMain::SBarChange);
  on(RbtnSche, &QRadioButton::clicked, &TPstMain::RbtnScheClick);
  on(RbtnTodo, &QRadioButton::clicked, &TPstMain::RbtnTodoClick);
  on(RbtnSche2, &QRadioButton::clicked, &TPstMain::RbtnSche2Click);
  on(BtnPost, &QPushButton::clicked, &TPstMain::BtnPostClick);
  on(BtnEnd, &QPushButton::clicked, &TPstMain::BtnEndClick);
  on(ProgHide, &QAction::triggered, &TPstMain::ProgHideClick);
  on(ProgShow, &QAction::triggered, &TPstMain::ProgShowClick);
  on(CalDisp, &QAction::triggered, &TPstMain::CalDispClick);
  on(InitDisp, &QAction::triggered, &TPstMain::InitDispClick);
  on(ProgHelp, &QAction::triggered, &TPstMain::ProgHelpClick);
  on(ProgExit, &QAction::triggered, &TPstMain::BtnEndClick);
  ConnectGuarded(IcsExport, &QAction::triggered, this, [this] { IcsExportClick(*this); });
  ConnectGuarded(IcsImport, &QAction::triggered, this, [this] { IcsImportClick(*this); });
  AttachAutostart(AutoStart, PopupMenu);
  on(SchTimer, &QTimer::timeout, &TPstMain::SchTimerTimer);
  QObject::connect(DataWatcher, &QFileSystemWatcher::fileChanged, DataCheck, qOverload<>(&QTimer::start));
  QObject::connect(DataWatcher, &QFileSystemWatcher::directoryChanged, DataCheck,
                   qOverload<>(&QTimer::start));
  on(DataCheck, &QTimer::timeout, &TPstMain::FollowDataFile);

  on(UDyymm, &TUpDown::clicked, &TPstMain::UDyymmClick);
  on(YYMM, &TClickLabel::clicked, &TPstMain::YYMMClick);
  on(PstVerShow, &TClickLabel::clicked, &TPstMain::PstVerShowClick);
  ConnectGuarded(Grid, &TMonthGrid::dayPressed, this, &TPstMain::DayxxMouseDown);
}

void TPstMain::BuildKeys() {
  // F6 (Shift+F6 backwards) goes through the label windows in the order of
  // their dates, and on from window to window; Escape comes back here.
  auto key = [this](const QKeySequence& keys, const char* name, auto slot) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setObjectName(QString::fromLatin1(name));
    ConnectGuarded(shortcut, &QShortcut::activated, this, slot);
  };
  key(QKeySequence(Qt::Key_F6), "KeyLabels", [this] { windows_->FocusStep(nullptr, true); });
  key(QKeySequence(Qt::SHIFT | Qt::Key_F6), "KeyLabelsBack",
      [this] { windows_->FocusStep(nullptr, false); });
  ConnectGuarded(windows_.get(), &PostWindows::leaveRequested, this, [this] {
    if (!isVisible()) return;
    raise();
    activateWindow();
  });
  // The icon's menu, which not every desktop lets the keyboard reach in
  // its notification area.
  key(QKeySequence(Qt::ALT | Qt::Key_M), "KeyMenu", [this] {
    PopupMenu->popup(mapToGlobal(QPoint(width() / 4, height() / 4)));
    PopupMenu->setActiveAction(PopupMenu->actions().value(0));
  });
}

void TPstMain::SetOuterWidth(int width) {
  outerWidth_ = width;
  ApplyWindowSize();
}

void TPstMain::SetOuterHeight(int height) {
  outerHeight_ = height;
  ApplyWindowSize();
}

void TPstMain::ApplyWindowSize() {
  setFixedSize(std::max(0, outerWidth_ - kFrameWidth), std::max(0, outerHeight_ - kFrameHeight));
  // The recurring-entry group lies below the short window's client area:
  // while it cannot be seen it is not shown at all, so that nothing of it
  // (its fonts above all) is prepared before the user asks for Schedule-2.
  const bool tall = outerHeight_ >= kTallHeight;
  if (tall) GroupBox1->MakeEditable();
  GroupBox1->setVisible(tall);
}

void TPstMain::contextMenuEvent(QContextMenuEvent* event) {
  // A right click in the window's empty area opens the icon's menu, so that
  // every command stays within reach where no notification area shows the
  // icon. Controls keep their own right clicks; the month grid's own widget
  // between its cells is empty space of the window.
  if (QWidget* at = childAt(event->pos()); at && at != Grid) return;
  event->accept();
  PopupMenu->popup(event->globalPos());
}

void TPstMain::closeEvent(QCloseEvent* event) {
  // The close box ends the program at once; the labels were saved at their
  // last change and the window position is not kept.
  event->accept();
  EndEventLoop();
}

void TPstMain::EndEventLoop() {
  if (Quit)
    Quit();
  else
    QCoreApplication::quit();
}

}  // namespace morna::ui
