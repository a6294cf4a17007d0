#include "ui/TaskTray.h"

#include <QApplication>
#include <QCursor>
#ifdef MORNA_TRAY_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#endif
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "core/sjis.h"
#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

namespace {

// Every living TTaskTray, as (identifier as decimal text, component), in the
// order in which they were made.
std::vector<std::pair<QString, TTaskTray*>>& IconIDRegistry() {
  static std::vector<std::pair<QString, TTaskTray*>> registry;
  return registry;
}

// Set while one shell report is being handled.
bool g_dispatchBusy = false;

auto FindEntry(const QString& idText) {
  auto& reg = IconIDRegistry();
  return std::find_if(reg.begin(), reg.end(),
                      [&](const auto& e) { return e.first == idText; });
}

}  // namespace

std::string TrayTipBytes(const QString& tip) {
  std::string bytes = ToSjis(tip);
  if (const auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  return std::string(CapSjisBytes(bytes, TrayShell::kMaxTipBytes));
}

// ---------------------------------------------------------------------------
// TTaskTray

TTaskTray::TTaskTray(QObject* owner, TrayShell& shell) : QObject(owner), shell_(shell) {
  auto& reg = IconIDRegistry();
  const qint64 next = reg.empty() ? 1 : reg.back().first.toLongLong() + 1;
  if (next <= std::numeric_limits<int>::max()) {
    id_ = static_cast<int>(next);
  } else {
    // The last instance took the largest identifier: use the lowest free one
    // rather than overflow.
    id_ = 1;
    while (FindEntry(QString::number(id_)) != reg.end()) ++id_;
  }
  reg.emplace_back(QString::number(id_), this);
  PopupAt = [](QMenu* menu, QPoint at) { menu->exec(at); };
}

TTaskTray::~TTaskTray() {
  RemoveTrayIcon();
  auto& reg = IconIDRegistry();
  if (auto it = FindEntry(QString::number(id_)); it != reg.end()) reg.erase(it);
}

QMenu* TTaskTray::PopupMenuL() const { return popupL_.data(); }
QMenu* TTaskTray::PopupMenuR() const { return popupR_.data(); }
void TTaskTray::SetPopupMenuL(QMenu* menu) { popupL_ = menu; }
void TTaskTray::SetPopupMenuR(QMenu* menu) { popupR_ = menu; }

void TTaskTray::SetTipString(const QString& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  UpdateTrayIcon();
}

void TTaskTray::SetIcon(const QIcon* icon) {
  if (icon == &icon_) return;
  if (icon) {
    icon_ = *icon;
    UpdateTrayIcon();
  } else {
    icon_ = QIcon();
    RemoveTrayIcon();
  }
}

void TTaskTray::SetIconID(int id) {
  if (id < 1) throw Error(tr("0以下は指定できません"));
  if (id == id_) return;
  const QString text = QString::number(id);
  auto& reg = IconIDRegistry();
  for (const auto& entry : reg) {
    if (entry.first == text && entry.second != this)
      throw Error(tr("同じアイコン識別子が有ります"));
  }
  if (registered_) {
    RemoveTrayIcon();  // under the old identifier
    registered_ = true;
  }
  for (auto& entry : reg) {
    if (entry.second == this) entry.first = text;
  }
  id_ = id;
  UpdateTrayIcon();  // adds it under the new one
}

void TTaskTray::SetRegistered(bool registered) {
  if (registered == registered_) return;
  if (registered) {
    if (icon_.isNull()) throw Error(tr("アイコンが指定されていません"));
    registered_ = true;
    UpdateTrayIcon();
  } else {
    RemoveTrayIcon();
  }
  registered_ = registered;
}

void TTaskTray::Loaded() { UpdateTrayIcon(); }

TrayShell::Record TTaskTray::MakeRecord() const {
  TrayShell::Record record;
  record.id = id_;
  record.flags = TrayShell::kMessage | TrayShell::kIcon | (tip_.isEmpty() ? 0 : TrayShell::kTip);
  record.icon = icon_;
  record.tip = TrayTipBytes(tip_);
  record.menu = popupL_ ? popupL_.data() : popupR_.data();
  return record;
}

void TTaskTray::UpdateTrayIcon() {
  if (!registered_) return;
  const auto op = iconAdded_ ? TrayShell::Op::Modify : TrayShell::Op::Add;
  if (!shell_.Notify(op, MakeRecord()))
    throw Error(tr("タスクトレイに登録できません"));
  iconAdded_ = true;
}

void TTaskTray::RemoveTrayIcon() {
  // After a failed add (registered, not added) the shell may still hold the
  // icon, waiting for a notification area to appear: it goes too.
  if (iconAdded_ || registered_)
    shell_.Notify(TrayShell::Op::Delete, MakeRecord());  // result not looked at
  iconAdded_ = false;
  registered_ = false;
}

bool TTaskTray::DispatchBusy() { return g_dispatchBusy; }

void TTaskTray::ShellMessage(int id, int message) {
  auto& reg = IconIDRegistry();
  const auto it = FindEntry(QString::number(id));
  if (it == reg.end() || g_dispatchBusy) return;
  TTaskTray* tray = it->second;
  const QPoint at = tray->shell_.CursorPos();
  const int x = at.x(), y = at.y();
  g_dispatchBusy = true;
  try {
    switch (message) {
      case kMouseMove: tray->DoMouseMove(x, y); break;
      case kLButtonDown: tray->DoMouseDown(Qt::LeftButton, x, y); break;
      case kLButtonUp: tray->DoMouseUp(Qt::LeftButton, x, y); break;
      case kLButtonDblClk: tray->DoDblClick(Qt::LeftButton); break;
      case kRButtonDown: tray->DoMouseDown(Qt::RightButton, x, y); break;
      case kRButtonUp: tray->DoMouseUp(Qt::RightButton, x, y); break;
      case kRButtonDblClk: tray->DoDblClick(Qt::RightButton); break;
      case kMButtonDown: tray->DoMouseDown(Qt::MiddleButton, x, y); break;
      case kMButtonUp: tray->DoMouseUp(Qt::MiddleButton, x, y); break;
      default: break;
    }
  } catch (...) {
    g_dispatchBusy = false;
    throw;
  }
  g_dispatchBusy = false;
}

void TTaskTray::DoDblClick(Qt::MouseButton button) {
  if (OnDblClick) OnDblClick(this, button);
}

void TTaskTray::DoMouseDown(Qt::MouseButton button, int x, int y) {
  if (auto* form = qobject_cast<QWidget*>(parent())) {
    if (form->isVisible()) {
      form->activateWindow();
      form->raise();
    }
    QCoreApplication::processEvents();
  }
  if (OnMouseDown) OnMouseDown(this, button, button, x, y);
  // The handler may have destroyed a menu: the QPointers are read only now.
  QMenu* menu = button == Qt::LeftButton ? popupL_.data()
                : button == Qt::RightButton ? popupR_.data()
                                            : nullptr;
  if (menu && PopupAt) PopupAt(menu, QPoint(x, y));
}

void TTaskTray::DoMouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(this, Qt::NoButton, x, y);
}

void TTaskTray::DoMouseUp(Qt::MouseButton button, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, button, x, y);
}

// ---------------------------------------------------------------------------
// The desktop's notification area

namespace {

int MessageFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: return kLButtonDown;
    case QSystemTrayIcon::Context: return kRButtonDown;
    case QSystemTrayIcon::MiddleClick: return kMButtonDown;
    case QSystemTrayIcon::DoubleClick: return kLButtonDblClk;
    default: return 0;
  }
}

// Whether the icons go to a StatusNotifierItem host over D-Bus rather than
// into an XEmbed notification area. The toolkit decides this once, when it
// makes its first icon, by the same test: a StatusNotifierWatcher on the
// session bus that has a host registered.
bool UsesStatusNotifier() {
#ifndef MORNA_TRAY_DBUS
  return false;
#else
  static const bool uses = [] {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.interface()->isServiceRegistered(watcher).value()) return false;
    QDBusInterface iface(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return iface.isValid() && iface.property("IsStatusNotifierHostRegistered").toBool();
  }();
  return uses;
#endif
}

class QtTrayShell : public TrayShell {
 public:
  bool Notify(Op op, const Record& record) override {
    auto it = icons_.find(record.id);
    if (it != icons_.end() && it->second.isNull()) {
      icons_.erase(it);
      it = icons_.end();
    }
    switch (op) {
      case Op::Add: {
        const bool area = QSystemTrayIcon::isSystemTrayAvailable();
        // On X the toolkit docks a shown icon as soon as a notification area
        // appears, so the icon is shown even while there is none (a panel
        // that starts after the program); the add still counts as failed.
        if (!area && QGuiApplication::platformName() != QLatin1String("xcb")) return false;
        QSystemTrayIcon* icon = it != icons_.end() ? it->second.data() : Create(record.id);
        Apply(icon, record);
        icon->show();
        return area && icon->isVisible();
      }
      case Op::Modify:
        if (it == icons_.end()) return false;
        Apply(it->second, record);
        return true;
      case Op::Delete:
        if (it == icons_.end()) return false;
        // The icon may be the one whose report is being handled right now.
        it->second->hide();
        it->second->deleteLater();
        icons_.erase(it);
        return true;
    }
    return false;
  }

  QPoint CursorPos() const override { return QCursor::pos(); }

 private:
  QSystemTrayIcon* Create(int id) {
    // Owned by the application so that none outlives it.
    auto* icon = new QSystemTrayIcon(qApp);
    QObject::connect(icon, &QSystemTrayIcon::activated, icon,
                     [id](QSystemTrayIcon::ActivationReason reason) {
                       const int message = MessageFor(reason);
                       if (message != 0) Guard([&] { TTaskTray::ShellMessage(id, message); });
                     });
    icons_[id] = icon;
    return icon;
  }

  static void Apply(QSystemTrayIcon* icon, const Record& record) {
    if (record.flags & kIcon) icon->setIcon(record.icon);
    icon->setToolTip((record.flags & kTip) ? FromSjis(record.tip) : QString());
    // A StatusNotifierItem host shows the menu the item exports (some show
    // nothing else), so there the menu is the icon's context menu as well.
    // An XEmbed area gets none: it would pop up on the right button, which
    // TTaskTray keeps for its own report.
    if (UsesStatusNotifier() && icon->contextMenu() != record.menu) icon->setContextMenu(record.menu);
  }

  std::map<int, QPointer<QSystemTrayIcon>> icons_;
};

}  // namespace

TrayShell& DesktopTrayShell() {
  static QtTrayShell shell;
  return shell;
}

namespace {
TrayShell* g_shell = nullptr;
}  // namespace

TrayShell& Shell() { return g_shell ? *g_shell : DesktopTrayShell(); }

void SetTrayShell(TrayShell* shell) { g_shell = shell; }

}  // namespace morna::ui
