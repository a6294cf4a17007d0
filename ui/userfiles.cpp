#include "ui/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromNative(const std::string& path) { return QFile::decodeName(path.c_str()); }

void MakeFolder(const QString& folder, const QString& reported) {
  if (!QDir().mkpath(folder))
    GeneralErrorHandler(QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(reported)));
}

}  // namespace

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
  facts.userConfigDir = Native(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
  facts.userDataDir = Native(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
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
