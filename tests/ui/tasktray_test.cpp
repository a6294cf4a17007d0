#include "ui/TaskTray.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "ui/codec.h"
#include "ui/errors.h"
#include "ui/look.h"

namespace morna::ui {
namespace {

// Records what would have gone to the notification area; fails on demand.
class FakeShell : public TrayShell {
 public:
  struct Call {
    Op op;
    int id;
    int flags;
    std::string tip;
    QMenu* menu;
  };
  bool Notify(Op op, const Record& r) override {
    calls.push_back({op, r.id, r.flags, r.tip, r.menu});
    return !fail;
  }
  QPoint CursorPos() const override { return cursor; }

  std::vector<Call> calls;
  bool fail = false;
  QPoint cursor{700, 750};
};

QString ErrorText(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.text();
  }
  return {};
}

class TaskTrayTest : public ::testing::Test {
 protected:
  // A tray that is shown, with the shell's record of that cleared.
  std::unique_ptr<TTaskTray> Shown() {
    auto tray = std::make_unique<TTaskTray>(nullptr, shell);
    const QIcon icon = AppIcon();
    tray->SetIcon(&icon);
    tray->SetRegistered(true);
    shell.calls.clear();
    return tray;
  }
  FakeShell shell;
};

TEST_F(TaskTrayTest, IdentifiersFollowTheLastLivingInstance) {
  auto a = std::make_unique<TTaskTray>(nullptr, shell);
  auto b = std::make_unique<TTaskTray>(nullptr, shell);
  EXPECT_EQ(a->IconID(), 1);
  EXPECT_EQ(b->IconID(), 2);
  b.reset();
  auto c = std::make_unique<TTaskTray>(nullptr, shell);
  EXPECT_EQ(c->IconID(), 2);
  a.reset();
  auto d = std::make_unique<TTaskTray>(nullptr, shell);
  EXPECT_EQ(d->IconID(), 3);
  EXPECT_FALSE(d->Registered());
  EXPECT_FALSE(d->IconAdded());
}

TEST_F(TaskTrayTest, IconIdRules) {
  auto a = std::make_unique<TTaskTray>(nullptr, shell);
  auto b = Shown();
  EXPECT_EQ(ErrorText([&] { b->SetIconID(0); }), "0以下は指定できません");
  EXPECT_EQ(ErrorText([&] { b->SetIconID(-5); }), "0以下は指定できません");
  EXPECT_EQ(ErrorText([&] { b->SetIconID(a->IconID()); }), "同じアイコン識別子が有ります");
  b->SetIconID(b->IconID());
  EXPECT_TRUE(shell.calls.empty());

  // A new identifier while shown: delete under the old one, add under the new.
  const int old = b->IconID();
  b->SetIconID(40);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].op, TrayShell::Op::Delete);
  EXPECT_EQ(shell.calls[0].id, old);
  EXPECT_EQ(shell.calls[1].op, TrayShell::Op::Add);
  EXPECT_EQ(shell.calls[1].id, 40);
  EXPECT_TRUE(b->Registered());
  EXPECT_TRUE(b->IconAdded());
  // The registry follows: the old identifier is free, the new one taken, and
  // the next instance counts on from the last entry.
  a->SetIconID(old);
  EXPECT_EQ(ErrorText([&] { a->SetIconID(40); }), "同じアイコン識別子が有ります");
  TTaskTray next(nullptr, shell);
  EXPECT_EQ(next.IconID(), 41);

  // After the largest identifier the count cannot go on: the lowest free
  // one is taken instead.
  next.SetIconID(std::numeric_limits<int>::max());
  TTaskTray after(nullptr, shell);
  EXPECT_EQ(after.IconID(), 1);
}

TEST_F(TaskTrayTest, RegisteringNeedsAnIcon) {
  TTaskTray tray(nullptr, shell);
  EXPECT_EQ(ErrorText([&] { tray.SetRegistered(true); }), "アイコンが指定されていません");
  EXPECT_FALSE(tray.Registered());
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TaskTrayTest, SettersWhileNotRegisteredOnlyStore) {
  TTaskTray tray(nullptr, shell);
  const QIcon icon = AppIcon();
  tray.SetTipString("Moranote");
  tray.SetIcon(&icon);
  tray.SetIconID(9);
  tray.UpdateTrayIcon();
  tray.Loaded();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(tray.TipString(), "Moranote");
  EXPECT_FALSE(tray.Icon().isNull());
  EXPECT_EQ(tray.IconID(), 9);
}

TEST_F(TaskTrayTest, AddThenModifyWithTipFlags) {
  TTaskTray tray(nullptr, shell);
  const QIcon icon = AppIcon();
  tray.SetIcon(&icon);
  tray.SetRegistered(true);
  tray.SetTipString("Moranote");
  tray.SetTipString("Moranote");  // unchanged: nothing sent
  tray.Loaded();
  tray.SetTipString("");
  ASSERT_EQ(shell.calls.size(), 4u);
  EXPECT_EQ(shell.calls[0].op, TrayShell::Op::Add);
  EXPECT_EQ(shell.calls[0].flags, 3);
  EXPECT_EQ(shell.calls[1].op, TrayShell::Op::Modify);
  EXPECT_EQ(shell.calls[1].flags, 7);
  EXPECT_EQ(shell.calls[1].tip, "Moranote");
  EXPECT_EQ(shell.calls[2].op, TrayShell::Op::Modify);
  EXPECT_EQ(shell.calls[3].flags, 3);
  EXPECT_TRUE(tray.IconAdded());
}

TEST_F(TaskTrayTest, AnIconThatFailedToGoInIsRemovedAsWell) {
  // The shell may keep an icon that found no notification area, to dock it
  // when one appears; unregistering must take that back too.
  TTaskTray tray(nullptr, shell);
  const QIcon icon = AppIcon();
  tray.SetIcon(&icon);
  shell.fail = true;
  EXPECT_FALSE(ErrorText([&] { tray.SetRegistered(true); }).isEmpty());
  tray.SetRegistered(false);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].op, TrayShell::Op::Delete);
  EXPECT_EQ(shell.calls[1].id, tray.IconID());
  EXPECT_FALSE(tray.Registered());
}

TEST_F(TaskTrayTest, TheShellIsGivenTheMenuToExport) {
  // Left menu first (the one the icon's main click opens), else the right.
  auto tray = Shown();
  QMenu left, right;
  tray->SetPopupMenuR(&right);
  tray->UpdateTrayIcon();
  tray->SetPopupMenuL(&left);
  tray->UpdateTrayIcon();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].menu, &right);
  EXPECT_EQ(shell.calls[1].menu, &left);
}

TEST_F(TaskTrayTest, TipIsCutOnACharacterBoundary) {
  const QString wide(40, QChar(0x3042));  // 40 × "あ", 80 bytes
  EXPECT_EQ(TrayTipBytes(wide), ToSjis(QString(31, QChar(0x3042))));
  EXPECT_EQ(TrayTipBytes("a" + wide), ToSjis("a" + QString(31, QChar(0x3042))));
  EXPECT_EQ(TrayTipBytes("ab" + wide).size(), 62u);  // no half of a character
  // Half-width katakana are single bytes.
  EXPECT_EQ(TrayTipBytes(QString(70, QChar(0xFF71))).size(), 63u);
  EXPECT_EQ(TrayTipBytes(QString("ab") + QChar(0) + "cd"), "ab");

  auto tray = Shown();
  tray->SetTipString(wide);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].tip.size(), 62u);
  EXPECT_EQ(tray->TipString(), wide);  // the property keeps the whole text
}

TEST_F(TaskTrayTest, FailedAddIsReportedAndRetried) {
  TTaskTray tray(nullptr, shell);
  const QIcon icon = AppIcon();
  tray.SetIcon(&icon);
  shell.fail = true;
  EXPECT_EQ(ErrorText([&] { tray.SetRegistered(true); }), "タスクトレイに登録できません");
  EXPECT_TRUE(tray.Registered());
  EXPECT_FALSE(tray.IconAdded());
  shell.fail = false;
  tray.UpdateTrayIcon();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].op, TrayShell::Op::Add);
  EXPECT_TRUE(tray.IconAdded());
  // A failed modify keeps the icon counted as added.
  shell.fail = true;
  EXPECT_EQ(ErrorText([&] { tray.SetTipString("x"); }), "タスクトレイに登録できません");
  EXPECT_TRUE(tray.IconAdded());
}

TEST_F(TaskTrayTest, RemovingTheIcon) {
  auto tray = Shown();
  const int id = tray->IconID();
  tray->SetIcon(nullptr);
  EXPECT_TRUE(tray->Icon().isNull());
  EXPECT_FALSE(tray->Registered());
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].op, TrayShell::Op::Delete);
  tray->RemoveTrayIcon();  // not added: nothing more is sent
  EXPECT_EQ(shell.calls.size(), 1u);


  auto other = Shown();
  other->SetRegistered(false);
  EXPECT_FALSE(other->IconAdded());
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].op, TrayShell::Op::Delete);

  auto last = Shown();
  const int lastId = last->IconID();
  last.reset();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].op, TrayShell::Op::Delete);
  EXPECT_EQ(shell.calls[0].id, lastId);
  EXPECT_NE(lastId, id);
}

TEST_F(TaskTrayTest, MouseReportsBecomeEvents) {
  auto tray = Shown();
  QMenu left, right;
  tray->SetPopupMenuL(&left);
  std::vector<std::string> log;
  tray->OnMouseDown = [&](TTaskTray* sender, Qt::MouseButton b, Qt::MouseButtons s, int x, int y) {
    EXPECT_EQ(sender, tray.get());
    EXPECT_EQ(s, Qt::MouseButtons(b));
    EXPECT_EQ(QPoint(x, y), shell.cursor);
    log.push_back("down " + std::to_string(b));
  };
  tray->OnMouseUp = [&](TTaskTray*, Qt::MouseButton b, Qt::MouseButtons, int, int) {
    log.push_back("up " + std::to_string(b));
  };
  tray->OnMouseMove = [&](TTaskTray*, Qt::MouseButtons s, int, int) {
    EXPECT_EQ(s, Qt::NoButton);
    log.push_back("move");
  };
  tray->OnDblClick = [&](TTaskTray*, Qt::MouseButton b) { log.push_back("dbl " + std::to_string(b)); };
  tray->PopupAt = [&](QMenu* m, QPoint at) {
    EXPECT_EQ(at, shell.cursor);
    log.push_back(m == &left ? "menu L" : m == &right ? "menu R" : "menu ?");
  };

  const int id = tray->IconID();
  for (int m : {513, 516, 519, 512, 514, 517, 520, 515, 518, 521, 1000})
    TTaskTray::ShellMessage(id, m);
  TTaskTray::ShellMessage(id + 100, 513);  // no such icon
  tray->SetPopupMenuR(&right);
  TTaskTray::ShellMessage(id, 516);
  const std::vector<std::string> want = {
      "down 1", "menu L", "down 2", "down 4", "move", "up 1", "up 2", "up 4",
      "dbl 1", "dbl 2", "down 2", "menu R"};
  EXPECT_EQ(log, want);
}

TEST_F(TaskTrayTest, ReportsDuringAHandlerAreDropped) {
  auto tray = Shown();
  auto other = Shown();
  int downs = 0;
  tray->OnMouseDown = [&](TTaskTray*, Qt::MouseButton, Qt::MouseButtons, int, int) {
    ++downs;
    EXPECT_TRUE(TTaskTray::DispatchBusy());
    TTaskTray::ShellMessage(tray->IconID(), 513);
    TTaskTray::ShellMessage(other->IconID(), 513);
  };
  other->OnMouseDown = tray->OnMouseDown;
  TTaskTray::ShellMessage(tray->IconID(), 513);
  EXPECT_EQ(downs, 1);
  EXPECT_FALSE(TTaskTray::DispatchBusy());

  // A failing handler: the error reaches the caller and the flag is cleared.
  tray->OnDblClick = [](TTaskTray*, Qt::MouseButton) { throw Error("boom"); };
  EXPECT_EQ(ErrorText([&] { TTaskTray::ShellMessage(tray->IconID(), 515); }), "boom");
  EXPECT_FALSE(TTaskTray::DispatchBusy());
  TTaskTray::ShellMessage(other->IconID(), 513);
  EXPECT_EQ(downs, 2);
}

TEST_F(TaskTrayTest, DestroyedMenusAreCleared) {
  auto tray = Shown();
  auto* menu = new QMenu;
  tray->SetPopupMenuL(menu);
  tray->SetPopupMenuR(menu);  // one menu for both buttons
  delete menu;
  EXPECT_EQ(tray->PopupMenuL(), nullptr);
  EXPECT_EQ(tray->PopupMenuR(), nullptr);
  int popups = 0;
  tray->PopupAt = [&](QMenu*, QPoint) { ++popups; };
  TTaskTray::ShellMessage(tray->IconID(), 513);
  TTaskTray::ShellMessage(tray->IconID(), 516);
  EXPECT_EQ(popups, 0);
}

TEST_F(TaskTrayTest, DesktopWithoutNotificationAreaRefusesTheIcon) {
  // The offscreen platform has no notification area.
  TTaskTray tray(nullptr, DesktopTrayShell());
  const QIcon icon = AppIcon();
  tray.SetIcon(&icon);
  EXPECT_EQ(ErrorText([&] { tray.SetRegistered(true); }), "タスクトレイに登録できません");
  EXPECT_FALSE(tray.IconAdded());
  EXPECT_FALSE(AppIcon().pixmap(16, 16).isNull());
  EXPECT_FALSE(AppIcon().pixmap(32, 32).isNull());
}

}  // namespace
}  // namespace morna::ui

namespace morna::ui {
namespace {

TEST(AppIconTest, BuiltPixelsAreThePaintedIcon) {
  // The icon is shown from pixels painted at build time; they must be the
  // picture the painting code draws now, at every size it carries.
  for (int size : kAppIconSizes) {
    const QImage built = AppIcon().pixmap(size, size).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    const QImage painted = AppIconPixmap(size).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(built.size(), QSize(size, size));
    EXPECT_TRUE(built == painted) << size;
  }
}

}  // namespace
}  // namespace morna::ui
