// Moranote's program entry: the application object, one program per settings
// file and per data file, the registration window's start-up, and the event
// loop.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "core/platform.h"
#include "core/pstctl.h"
#include "ui/Pmain.h"
#include "ui/TaskTray.h"
#include "ui/appstate.h"
#include "ui/codec.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/instance.h"
#include "ui/sound.h"

namespace {

// The settings file: the executable's full path with ".ini" in place of its
// extension (/opt/moranote/Morna uses /opt/moranote/Morna.ini).
QString SettingsFilePath() {
  const QFileInfo exe(QCoreApplication::applicationFilePath());
  return exe.absolutePath() + QStringLiteral("/") + exe.completeBaseName() +
         QStringLiteral(".ini");
}

// Without a display the toolkit would abort with a terse message of its own.
bool HasDisplay() {
#if defined(Q_OS_LINUX)
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Moranote is a desktop program and needs a display, but none is set "
                 "(DISPLAY is empty).\nStart it from a desktop session.\n");
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(morna::ui::kAppTitle);
  // The label windows stay on the desktop while the registration window is
  // hidden; only the End command (or the main window's close box) ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  morna::ui::InstallFontSubstitutes();

  morna::ui::AppState state;
  state.iniPath = SettingsFilePath().toLocal8Bit().toStdString();

  // The data file the settings name, as one name for the file however it is
  // reached: a copy of the program with settings elsewhere that names the
  // same data file is a second start of the running program as well. Only
  // the name is taken here; the window reads the settings again as usual.
  morna::Settings named;
  morna::WindowPos unusedPos;
  morna::TPstCtl().LoadSettings(state.iniPath, named, unusedPos);
  const QString dataFileKey =
      QStringLiteral("data:") +
      QString::fromLocal8Bit(morna::platform::CanonicalName(morna::ui::NativePath(named.FileName)));
  morna::ui::SingleInstance instance(
      QStringList{QFileInfo(SettingsFilePath()).absoluteFilePath(), dataFileKey});
  morna::ui::TPstMain* mainWindow = nullptr;
  if (instance.AnotherIsRunning([&mainWindow] {
        if (mainWindow) morna::ui::Guard([&] { mainWindow->ProgShowClick(); });
      })) {
    return 0;  // the running program brings its window forward
  }

  auto player = morna::ui::MakeAlarmPlayer();
  morna::ui::TPstMain main(state, morna::ui::MainServices{morna::ui::DesktopTrayShell(),
                                                          *player, morna::ui::Help()});
  mainWindow = &main;
  morna::ui::Guard([&] { main.FormCreate(); });
  // The event loop starts with the registration window shown, even though
  // start-up hid it.
  main.show();
  const int code = QApplication::exec();
  mainWindow = nullptr;
  return code;
}
