#include "ui/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/platform.h"
#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromNative(const std::string& path) { return QFile::decodeName(path.c_str()); }

void MakeFolder(const QString& folder, const QString& reported) {
  if (!QDir().mkpath(folder))
    GeneralErrorHandler(QCoreApplication::translate("Notices", "%1 に書き込めません").arg(QDir::toNativeSeparators(reported)));
}

}  // namespace

#ifndef Q_OS_WIN
// A relative variable is ignored, and without HOME the user database names
// the home folder, so the files never land in the current folder or at the
// root.
std::string DesktopFolder(const char* variable, std::string_view fallback) {
  const std::string home =
      HomeFolder(qgetenv("HOME").toStdString(), [] { return platform::UserDatabaseHome(); });
  return XdgBaseFolder(qgetenv(variable).toStdString(), home, fallback);
}

namespace {

std::string ProgramFolderIn(const std::string& base) {
  return base + "/" + Native(QCoreApplication::applicationName());
}

}  // namespace
#endif

// Beside the executable the settings file is its full path with ".ini" in
// place of its extension (/opt/moranote/Morna uses /opt/moranote/Morna.ini).
FilePlaces FindFilePlaces() {
  const QFileInfo exe(QCoreApplication::applicationFilePath());
  const QString iniPath =
      exe.absolutePath() + QStringLiteral("/") + exe.completeBaseName() + QStringLiteral(".ini");
  const QFileInfo ini(iniPath);
  FileFacts facts;
  facts.exeIniPath = Native(iniPath);
  facts.exeIniExists = ini.exists();
  facts.exeIniWritable = ini.isWritable();
  facts.exeDirWritable = QFileInfo(exe.absolutePath()).isWritable();
#ifdef Q_OS_WIN
  facts.userConfigDir = Native(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
  facts.userDataDir = Native(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
#else
  facts.userConfigDir = ProgramFolderIn(DesktopFolder("XDG_CONFIG_HOME", ".config"));
  facts.userDataDir = ProgramFolderIn(DesktopFolder("XDG_DATA_HOME", ".local/share"));
#endif
  return ChooseFilePlaces(facts);
}

void MakeUserFolders(const FilePlaces& places) {
  const QString ini = FromNative(places.iniPath);
  MakeFolder(QFileInfo(ini).absolutePath(), ini);
  const QString data = FromNative(places.dataDir);
  MakeFolder(data, data);
}

std::string DataFilePath(const Settings& settings, const std::string& dataDir) {
  return ResolveDataFile(NativePath(settings.FileName), dataDir);
}

}  // namespace morna::ui
