#include "ui/TaskTray.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <map>
#include <utility>
#include <vector>

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

bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

std::string TrayTipBytes(const QString& tip) {
  std::string bytes = ToSjis(tip);
  if (const auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  std::size_t end = 0;
  while (end < bytes.size()) {
    const std::size_t width =
        IsSjisLeadByte(static_cast<unsigned char>(bytes[end])) && end + 1 < bytes.size() ? 2 : 1;
    if (end + width > TrayShell::kMaxTipBytes) break;
    end += width;
  }
  bytes.resize(end);
  return bytes;
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
  if (id < 1) throw Error(QStringLiteral("0以下は指定できません"));
  if (id == id_) return;
  const QString text = QString::number(id);
  auto& reg = IconIDRegistry();
  for (const auto& entry : reg) {
    if (entry.first == text && entry.second != this)
      throw Error(QStringLiteral("同じアイコン識別子が有ります"));
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
    if (icon_.isNull()) throw Error(QStringLiteral("アイコンが指定されていません"));
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
  return record;
}

void TTaskTray::UpdateTrayIcon() {
  if (!registered_) return;
  const auto op = iconAdded_ ? TrayShell::Op::Modify : TrayShell::Op::Add;
  if (!shell_.Notify(op, MakeRecord()))
    throw Error(QStringLiteral("タスクトレイに登録できません"));
  iconAdded_ = true;
}

void TTaskTray::RemoveTrayIcon() {
  if (iconAdded_) shell_.Notify(TrayShell::Op::Delete, MakeRecord());  // result not looked at
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
        if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
        QSystemTrayIcon* icon = it != icons_.end() ? it->second.data() : Create(record.id);
        Apply(icon, record);
        icon->show();
        return icon->isVisible();
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
    // Owned by the application so that none outlives it. No context menu is
    // attached: TTaskTray pops its menus up itself.
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
  }

  std::map<int, QPointer<QSystemTrayIcon>> icons_;
};

}  // namespace

QPixmap DrawAppIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, size > 16);
  p.scale(size / 32.0, size / 32.0);
  PaintAppIcon(p);
  return pixmap;
}

// A light-yellow note with a navy frame and a turned-down corner, two ruled
// lines and a small red bell.
void PaintAppIcon(QPainter& p) {
  const QColor paper(0xFF, 0xFF, 0xE0);  // the light yellow of the labels
  const QColor navy(0x00, 0x00, 0x80);
  QPainterPath note;
  note.moveTo(2.5, 3.5);
  note.lineTo(29.5, 3.5);
  note.lineTo(29.5, 22.5);
  note.lineTo(22.5, 29.5);
  note.lineTo(2.5, 29.5);
  note.closeSubpath();
  p.setPen(QPen(navy, 2.0));
  p.setBrush(paper);
  p.drawPath(note);
  p.setBrush(QColor(0xE8, 0xE0, 0xA0));
  p.drawPolygon(QPolygonF({QPointF(29.5, 22.5), QPointF(22.5, 22.5), QPointF(22.5, 29.5)}));

  p.setPen(QPen(navy, 1.5));
  p.drawLine(QPointF(6, 9), QPointF(18, 9));
  p.drawLine(QPointF(6, 14), QPointF(15, 14));

  // The bell.
  const QColor red(0xD0, 0x10, 0x10);
  QPainterPath bell;
  bell.moveTo(14, 25);
  bell.cubicTo(16, 24, 16, 15, 21, 14);
  bell.cubicTo(26, 15, 26, 24, 28, 25);
  bell.closeSubpath();
  p.setPen(QPen(red.darker(140), 1.0));
  p.setBrush(red);
  p.drawPath(bell);
  p.drawEllipse(QPointF(21, 26.5), 2.0, 2.0);
  p.drawEllipse(QPointF(21, 12.5), 1.2, 1.2);
}

TrayShell& DesktopTrayShell() {
  static QtTrayShell shell;
  return shell;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(DrawAppIcon(size));
  return icon;
}

}  // namespace morna::ui
