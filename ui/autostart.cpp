#include "ui/autostart.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

#include "core/desktopentry.h"
#include "core/files.h"
#include "ui/errors.h"
#include "ui/userfiles.h"

namespace morna::ui {

namespace {

QString CannotWrite(const QString& path) {
  return QCoreApplication::translate("Notices", "%1 に書き込めません").arg(QDir::toNativeSeparators(path));
}

}  // namespace

#if defined(Q_OS_WIN)

namespace {
const QString kRunKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}  // namespace

bool AutostartEnabled() {
  return QSettings(kRunKey, QSettings::NativeFormat).contains(kAppTitle);
}

void SetAutostart(bool on) {
  QSettings run(kRunKey, QSettings::NativeFormat);
  if (on) {
    const QString exe = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    run.setValue(kAppTitle, QLatin1Char('"') + exe + QLatin1Char('"'));
  } else {
    run.remove(kAppTitle);
  }
  run.sync();
  if (run.status() != QSettings::NoError) throw Error(CannotWrite(kRunKey));
}

#else

QString AutostartEntryPath() {
  return QFile::decodeName(DesktopFolder("XDG_CONFIG_HOME", ".config").c_str()) +
         QStringLiteral("/autostart/") + QStringLiteral(MORNA_APP_ID ".desktop");
}

bool AutostartEnabled() {
  QFile file(AutostartEntryPath());
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray text = file.read(64 * 1024);
  return AutostartEntryActive(
      std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

void SetAutostart(bool on) {
  const QString path = AutostartEntryPath();
  if (!on) {
    if (QFile::exists(path) && !QFile::remove(path))
      throw Error(QCoreApplication::translate("Notices", "%1 を削除できません").arg(QDir::toNativeSeparators(path)));
    return;
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) throw Error(CannotWrite(path));
  const std::string text =
      AutostartEntryText(QCoreApplication::applicationFilePath().toStdString(), MORNA_APP_ID);
  // Written as every file of the program is: whole or not at all.
  if (!SaveWholeFile(QFile::encodeName(path).toStdString(), text).ok())
    throw Error(CannotWrite(path));
}

#endif

void AttachAutostart(QAction* item, QMenu* menu) {
  item->setCheckable(true);
  item->setChecked(AutostartEnabled());
  QObject::connect(menu, &QMenu::aboutToShow, item,
                   [item] { item->setChecked(AutostartEnabled()); });
  QObject::connect(item, &QAction::triggered, item, [item](bool checked) {
    Guard([checked] { SetAutostart(checked); });
    item->setChecked(AutostartEnabled());  // a failure leaves the mark as the entry is
  });
}

}  // namespace morna::ui
