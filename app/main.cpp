// Moranote's program entry: the command line, the application object, where
// the files live, one program per settings file and per data file, the
// registration window's start-up, and the event loop.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cmdline.h"
#include "core/instance.h"
#include "core/platform.h"
#include "core/pstctl.h"
#include "core/session.h"
#include "core/userfiles.h"
#include "ui/Pmain.h"
#include "ui/TaskTray.h"
#include "ui/appstate.h"
#include "ui/codec.h"
#include "ui/commands.h"
#include "ui/errors.h"
#include "ui/fonts.h"
#include "ui/help.h"
#include "ui/icsmenu.h"
#include "ui/instance.h"
#include "ui/language.h"
#include "ui/notice.h"
#include "ui/alarm.h"
#include "ui/userfiles.h"

namespace {

// The one-program check's key of a label file: one name for the file
// however it is reached.
QString DataKey(const std::string& nativePath) {
  return QStringLiteral("data:") + QString::fromLocal8Bit(morna::platform::CanonicalName(nativePath));
}

// The keys a running program listens under: its settings file, and the data
// file the settings name (a copy of the program with settings elsewhere that
// names the same data file counts as the same program). Only the name is
// read here; the window reads the settings again as usual.
QStringList InstanceKeys(const morna::FilePlaces& places) {
  morna::Settings named;
  morna::WindowPos unusedPos;
  morna::TPstCtl().LoadSettings(places.iniPath, named, unusedPos);
  return {QFileInfo(QFile::decodeName(places.iniPath.c_str())).absoluteFilePath(),
          DataKey(morna::ui::DataFilePath(named, places.dataDir))};
}

// Writes a command's output; output that could not be written (a closed
// pipe, a full disk) is a failure.
int Finish(const morna::ui::CommandOutput& output) {
  std::fputs(output.out.c_str(), stdout);
  std::fputs(output.err.c_str(), stderr);
  const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
  return output.exitCode != 0 ? output.exitCode : (written ? 0 : 1);
}

// A command of a script (--add, --list, --export, --import), carried out
// straight on the label file with only the core application object: no
// window, no display.
int RunScriptCommand(int argc, char** argv, morna::CommandRequest request) {
  QCoreApplication app(argc, argv);
  // The same name as the program's, so that the per-user folders are the same.
  QCoreApplication::setApplicationName(morna::ui::kAppTitle);
  const morna::FilePlaces places = morna::ui::FindFilePlaces();
  // The command's messages in the user's language.
  morna::ui::UseLanguage(morna::ui::SystemLanguageFor(morna::ui::LanguageSetting(places.iniPath)));
  // A calendar file is named from the caller's folder.
  if (!request.file.empty()) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(request.file, ec);
    if (!ec) request.file = absolute.string();
  }
  // A program running for the same files carries the command out, so that
  // its windows follow at once and no two writers meet in the file.
  morna::ui::SingleInstance instance(InstanceKeys(places));
  if (const std::optional<std::string> line = instance.SendCommand(morna::EncodeRequest(request)))
    if (const std::optional<morna::CommandReply> reply = morna::ParseCommandReply(*line))
      return Finish(morna::ui::CommandOutput{reply->exitCode, reply->out, reply->err});
  return Finish(morna::ui::RunCommandOnFile(request, places.iniPath, places.dataDir,
                                            morna::ui::SystemNow()));
}

// --help, --version and a refused command line are answered before the
// toolkit starts, so they need no display; so are the commands of scripts.
// Returns the exit code, or -1 to run.
int AnswerCommandLine(int argc, char** argv) {
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  const std::string program =
      argc > 0 ? std::filesystem::path(argv[0]).filename().string() : std::string("Morna");
  const morna::CommandLine line = morna::ParseCommandLine(args);
  switch (line.action) {
    case morna::CommandLine::Action::Run:
      return -1;
    case morna::CommandLine::Action::Command:
      return RunScriptCommand(argc, argv, line.request);
    case morna::CommandLine::Action::Help:
      std::fputs(morna::UsageText(program).c_str(), stdout);
      break;
    case morna::CommandLine::Action::Version:
      std::printf("Moranote %s\n", MORNA_VERSION);
      break;
    case morna::CommandLine::Action::Error:
      std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", program.c_str(),
                   line.error.c_str(), program.c_str());
      return 2;
  }
  // Output that could not be written (a closed pipe, a full disk) is a failure.
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// The platform the toolkit is to run on, from the session's environment
// (see core/session.h).
morna::PlatformChoice ChoosePlatformHere(int argc, char** argv) {
#if defined(Q_OS_LINUX)
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  return morna::ChoosePlatform({Env("QT_QPA_PLATFORM"), Env("XDG_SESSION_TYPE"),
                                Env("WAYLAND_DISPLAY"), Env("DISPLAY"),
                                morna::PlatformOption(args)});
#else
  (void)argc;
  (void)argv;
  return {morna::PlatformChoice::Kind::UserChoice, ""};
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (const int code = AnswerCommandLine(argc, argv); code >= 0) return code;
  const morna::PlatformChoice platform = ChoosePlatformHere(argc, argv);
  if (platform.kind == morna::PlatformChoice::Kind::NoDisplay) {
    // Without a display the toolkit would abort with a terse message of its own.
    std::fprintf(stderr,
                 "Moranote is a desktop program and needs a display, but none is set "
                 "(DISPLAY is empty).\nStart it from a desktop session.\n");
    return 1;
  }
  // The platform goes to the toolkit as its "-platform" argument rather than
  // through the environment, so that programs started from here (the help
  // viewer) make their own choice.
  std::vector<char*> qtArgs(argv, argv + argc);
  std::string platformOption = "-platform", platformName = platform.platform;
  if (!platformName.empty()) {
    qtArgs.push_back(platformOption.data());
    qtArgs.push_back(platformName.data());
  }
  int qtArgc = static_cast<int>(qtArgs.size());
  qtArgs.push_back(nullptr);

  QApplication app(qtArgc, qtArgs.data());
  QApplication::setApplicationName(morna::ui::kAppTitle);
  QApplication::setApplicationVersion(QStringLiteral(MORNA_VERSION));
  // Ties the windows to the installed desktop entry (its name and icon).
  QGuiApplication::setDesktopFileName(QStringLiteral(MORNA_APP_ID));
  // The label windows stay on the desktop while the registration window is
  // hidden; only the End command (or the main window's close box) ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  morna::ui::InstallFontStandIns();

  morna::ui::AppState state;
  const morna::FilePlaces places = morna::ui::FindFilePlaces();
  state.SettingsFile = places.iniPath;
  state.DataDir = places.dataDir;
  // The language of every text, before any window or message is made.
  morna::ui::UseLanguage(morna::ui::SystemLanguageFor(morna::ui::LanguageSetting(places.iniPath)));

  const QStringList keys = InstanceKeys(places);
  QString dataFileKey = keys.back();
  morna::ui::SingleInstance instance(keys);
  morna::ui::TPstMain* mainWindow = nullptr;
  if (instance.AnotherIsRunning([&mainWindow] {
        if (mainWindow) morna::ui::Guard([&] { mainWindow->ProgShowClick(); });
      })) {
    return 0;  // the running program brings its window forward
  }
  if (places.perUser) morna::ui::MakeUserFolders(places);

  // The player lives as long as the application object, whose sound
  // system its sinks need.
  auto player = morna::ui::LoadAlarmPlayer();
  morna::ui::SetAlarmPlayer(player.get());
  morna::ui::TPstMain main(state);
  mainWindow = &main;
  // Commands of scripts (Morna --add ...) handed over by another start.
  instance.SetCommandHandler([&main](const std::string& payload) {
    std::optional<morna::CommandRequest> request = morna::DecodeRequest(payload);
    if (!request) return std::string();
    morna::ui::CommandOutput output;
    morna::ui::Guard([&] {
      morna::ui::MainTarget target(main);
      output = morna::ui::RunCommand(*request, target, morna::ui::CommandSettingsOf(main));
    });
    return morna::CommandReplyLine(morna::CommandReply{output.exitCode, output.out, output.err});
  });
  morna::ui::Guard([&] { main.FormCreate(); });
  // The event loop starts with the registration window shown, even though
  // start-up hid it.
  main.show();
  // A Wayland client cannot place its windows: say so once, without holding
  // the program up.
  // Values of the settings file that could not be used are told once.
  if (const QString refused = morna::ui::RefusedSettingsNoticeText(
          state.Settings, QFile::decodeName(state.SettingsFile.c_str()));
      !refused.isEmpty())
    morna::ui::ShowNotice(&main, refused);
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
    morna::ui::ShowNotice(&main, morna::ui::WaylandNoticeText());
  // Another account took the folder meant for this user's check: the
  // program runs unguarded, and says so once.
  if (instance.PlaceHeldByAnother())
    morna::ui::ShowNotice(&main, morna::ui::PlaceHeldNoticeText(instance.PlaceFolder()));
  // The check follows the label file the settings dialog switched to.
  QObject::connect(&main, &morna::ui::TPstMain::DataFileSwitched, &main,
                   [&](const QString& nativePath) {
                     const QString newKey = DataKey(nativePath.toLocal8Bit().toStdString());
                     if (instance.FollowKey(dataFileKey, newKey) ==
                         morna::ui::SingleInstance::Followed::AnotherRuns)
                       morna::ui::ShowNotice(&main,
                                             morna::ui::DataFileInUseNoticeText(nativePath));
                     dataFileKey = newKey;
                   });
  const int code = QApplication::exec();
  mainWindow = nullptr;
  return code;
}
