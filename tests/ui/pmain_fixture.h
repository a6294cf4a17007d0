// A registration window on a fresh AppState: fixed clock, a temporary
// folder as the current directory (the data file lives there), fake tray,
// player and help, and a sink that records every message box.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "ui/Pmain.h"
#include "ui/TaskTray.h"
#include "ui/appstate.h"
#include "ui/codec.h"
#include "ui/errors.h"
#include "ui/help.h"
#include "ui/alarm.h"

namespace morna::ui::testing {

class FakeShell : public TrayShell {
 public:
  bool Notify(Op, const Record&) override { return !fail; }
  QPoint CursorPos() const override { return {10, 10}; }
  bool fail = false;  // a desktop without a notification area
};

class FakePlayer : public AlarmPlayer {
 public:
  void Play(const QString& path) override {
    if (spinsLoop) QCoreApplication::processEvents();
    played.push_back(path);
    if (fail) throw SoundError(SoundError::Cause::File, QStringLiteral("cannot open %1").arg(path));
    if (noOutput) throw SoundError(SoundError::Cause::Output, QStringLiteral("no device"));
  }
  // Recorded as "<built-in>".
  void PlayBuiltIn() override {
    if (spinsLoop) QCoreApplication::processEvents();
    played.push_back(QStringLiteral("<built-in>"));
    if (noOutput) throw SoundError(SoundError::Cause::Output, QStringLiteral("no device"));
  }
  void Stop() override {}
  bool IsPlaying() const override { return false; }
  std::vector<QString> played;
  bool fail = false;      // every file fails
  bool noOutput = false;  // nothing can be played at all
  bool spinsLoop = false;  // runs the event loop inside, as a sound sink's teardown may
};

class FakeHelp : public HelpViewer {
 public:
  void ShowFirstTopic() override { ++shown; }
  void Quit() override { ++quits; }
  bool IsOpen() const override { return shown > 0; }
  int shown = 0;
  int quits = 0;
};

struct Box {
  QString caption, text;
  BoxIcon icon;
};

class RecordingSink : public MessageSink {
 public:
  void Show(const QString& caption, const QString& text, BoxIcon icon) override {
    boxes.push_back({caption, text, icon});
  }
  std::vector<Box> boxes;
};

class PstMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    oldDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    SetMessageSink(&sink_);
    SetTrayShell(&shell_);
    SetAlarmPlayer(&player_);
    SetHelpViewer(&help_);
    state_.Clock = [this] { return now_; };
    state_.ScreenArea = [] { return Rect{0, 0, 800, 600}; };
    state_.SettingsFile = ToSjis(dir_.filePath("Morna.ini"));
  }
  void TearDown() override {
    main_.reset();
    SetMessageSink(nullptr);
    SetTrayShell(nullptr);
    SetAlarmPlayer(nullptr);
    SetHelpViewer(nullptr);
    QDir::setCurrent(oldDir_);
  }

  // Writes the settings file (Shift-JIS) before the window starts.
  void WriteIni(const std::string& text) { WriteFile("Morna.ini", text); }
  void WriteFile(const QString& name, const std::string& bytes) {
    QFile f(dir_.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::string ReadFile(const QString& name) const {
    QFile f(dir_.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
  }

  // Builds the window and runs its start-up.
  TPstMain& Start() {
    main_ = std::make_unique<TPstMain>(state_);
    main_->Quit = [this] { ++quits_; };
    main_->FormCreate();
    return *main_;
  }

  // The data file as the table says it must be.
  std::string TableAsFile() const {
    std::string out;
    for (int i = 0; i < state_.Labels.Table().DataCnt(); ++i) {
      const PostSlot& s = state_.Labels.Table().Slot(i);
      if (s.IsFree()) continue;
      out += "Time=" + s.DateTimeText + "\r\n";
      for (const std::string& line : s.Lines) out += "Memo=" + line + "\r\n";
    }
    return out;
  }
  std::vector<std::string> Labels() const {  // "time|line|line" per label
    std::vector<std::string> out;
    for (int i = 0; i < state_.Labels.Table().DataCnt(); ++i) {
      const PostSlot& s = state_.Labels.Table().Slot(i);
      if (s.IsFree()) continue;
      std::string l = s.DateTimeText;
      for (const std::string& line : s.Lines) l += "|" + line;
      out.push_back(l);
    }
    return out;
  }

  QTemporaryDir dir_;
  QString oldDir_;
  RecordingSink sink_;
  FakeShell shell_;
  FakePlayer player_;
  FakeHelp help_;
  AppState state_;
  DateTime now_ = MakeDateTime(2000, 12, 16, 10, 7, 30);
  int quits_ = 0;
  std::unique_ptr<TPstMain> main_;
};

}  // namespace morna::ui::testing
