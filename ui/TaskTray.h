// The notification-area icon component.
//
// TTaskTray keeps one icon in the notification area through a TrayShell,
// keeps its picture and tip up to date, and turns the shell's mouse reports
// into events and popup menus. Several instances may live at once, each with
// its own identifier.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>

class QMenu;

namespace morna::ui {

// The shell's notification-icon service.
class TrayShell {
 public:
  enum class Op { Add = 0, Modify = 1, Delete = 2 };
  // The shell's record: identifier, flags (1 message, 2 icon, 4 tip), icon
  // and a tip of at most kMaxTipBytes bytes of Shift-JIS.
  static constexpr std::size_t kMaxTipBytes = 63;
  enum Flag { kMessage = 1, kIcon = 2, kTip = 4 };
  struct Record {
    int id = 0;
    int flags = 0;
    QIcon icon;
    std::string tip;
    // The icon's menu, for notification areas that show a menu the icon
    // exports instead of asking the program to pop one up.
    QMenu* menu = nullptr;
  };
  virtual ~TrayShell() = default;
  // Returns true on success.
  virtual bool Notify(Op op, const Record& record) = 0;
  virtual QPoint CursorPos() const = 0;
};

// The shell on this desktop, on QSystemTrayIcon. Its reports arrive at
// TTaskTray::ShellMessage. Adding fails where the desktop has no
// notification area.
TrayShell& DesktopTrayShell();
// The shell the program's icon uses: the desktop's unless replaced (tests);
// nullptr restores the desktop's.
TrayShell& Shell();
void SetTrayShell(TrayShell* shell);

// `tip` as the shell's tip bytes: Shift-JIS, cut at the first zero byte and
// to at most TrayShell::kMaxTipBytes bytes without splitting a double-byte
// character.
std::string TrayTipBytes(const QString& tip);

// Mouse messages as the shell reports them.
enum TrayMessage {
  kMouseMove = 512, kLButtonDown = 513, kLButtonUp = 514, kLButtonDblClk = 515,
  kRButtonDown = 516, kRButtonUp = 517, kRButtonDblClk = 518,
  kMButtonDown = 519, kMButtonUp = 520,
};

class TTaskTray : public QObject {
  Q_OBJECT
 public:
  using MouseEvent = std::function<void(TTaskTray*, Qt::MouseButton, Qt::MouseButtons, int, int)>;

  TTaskTray(QObject* owner, TrayShell& shell);
  ~TTaskTray() override;

  QMenu* PopupMenuL() const;
  // A menu that is destroyed is cleared here.
  void SetPopupMenuL(QMenu* menu);
  QMenu* PopupMenuR() const;
  void SetPopupMenuR(QMenu* menu);
  QString TipString() const { return tip_; }
  void SetTipString(const QString& tip);
  QIcon Icon() const { return icon_; }
  void SetIcon(const QIcon* icon);  // nullptr: no icon (removes it)
  int IconID() const { return id_; }
  void SetIconID(int id);
  bool Registered() const { return registered_; }
  void SetRegistered(bool registered);
  bool IconAdded() const { return iconAdded_; }

  std::function<void(TTaskTray*, Qt::MouseButton)> OnDblClick;
  std::function<void(TTaskTray*, Qt::MouseButtons, int, int)> OnMouseMove;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;

  // Pops a menu up at a screen point and returns when it has closed; tests
  // replace it so that no menu loop blocks them.
  std::function<void(QMenu*, QPoint)> PopupAt;

  // All properties are set: add or modify the icon with the final values.
  void Loaded();
  void UpdateTrayIcon();
  void RemoveTrayIcon();

  // The shell's report for icon `id`: mouse message `message`. Reports for
  // an unknown identifier, and reports arriving while another one is being
  // handled (a menu or a handler runs its own event loop), are dropped. An
  // error of a handler is passed on to the caller.
  static void ShellMessage(int id, int message);
  static bool DispatchBusy();

 protected:
  virtual void DoDblClick(Qt::MouseButton button);
  virtual void DoMouseDown(Qt::MouseButton button, int x, int y);
  virtual void DoMouseMove(int x, int y);
  virtual void DoMouseUp(Qt::MouseButton button, int x, int y);

 private:
  TrayShell& shell_;
  QPointer<QMenu> popupL_;
  QPointer<QMenu> popupR_;
  QString tip_;
  QIcon icon_;
  int id_ = 0;
  bool registered_ = false;
  bool iconAdded_ = false;

  TrayShell::Record MakeRecord() const;
};

}  // namespace morna::ui
