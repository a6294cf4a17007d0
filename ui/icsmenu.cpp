#include "ui/icsmenu.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

#include "ical/icalendar.h"
#include "ui/Pmain.h"
#include "ui/errors.h"
#include "ui/pickers.h"

namespace morna::ui {

namespace {

const QString kIcsFilter = QStringLiteral("iCalendar (*.ics *.ICS)");

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Reason(const std::string& systemMessage) { return QString::fromLocal8Bit(systemMessage); }

}  // namespace

const PostTable& MainTarget::Table() const { return main_.State().Labels.Table(); }

int MainTarget::Room() const { return main_.State().Labels.Room(main_.PopupLabelNow()); }

LabelReport MainTarget::Apply(const LabelChange& change) {
  return main_.ChangeLabels(change, TPstMain::Entry::Keep);
}

std::string MainTarget::LabelPath() const { return main_.State().Labels.Path(); }

CommandSettings CommandSettingsOf(TPstMain& main) {
  return CommandSettingsFrom(main.State().Settings, main.State().Now());
}

void IcsExportClick(TPstMain& main) {
  const std::optional<QString> path =
      CurrentPickers().SaveFile(&main, kIcsFilter, QStringLiteral("Moranote.ics"));
  if (!path) return;
  const ExportOutcome done = ExportFile(Native(*path), main.State().Labels.Table(), CommandSettingsOf(main));
  if (!done.saved.ok()) {
    Messages().Show(kFileBoxCaption,
                    QCoreApplication::translate("Commands", "%1 に書き込めません\n%2").arg(*path, Reason(done.saved.systemMessage)),
                    BoxIcon::Error);
    return;
  }
  if (done.unreadable > 0)
    Messages().Show(kFileBoxCaption,
                    QCoreApplication::translate("Commands", "日時が読めないラベル%n件は書き出しませんでした。", nullptr, done.unreadable),
                    BoxIcon::Warning);
}

void IcsImportClick(TPstMain& main) {
  const std::optional<QString> path = CurrentPickers().OpenFile(&main, kIcsFilter);
  if (!path) return;
  MainTarget target(main);
  const ImportOutcome done = ImportFile(Native(*path), target, CommandSettingsOf(main));
  if (!done.read.ok()) {
    Messages().Show(kFileBoxCaption,
                    QCoreApplication::translate("Commands", "%1 を読み込めませんでした。\n%2").arg(*path, Reason(done.read.systemMessage)),
                    BoxIcon::Error);
    return;
  }
  if (!done.parsed.ok()) {
    Messages().Show(kFileBoxCaption,
                    QCoreApplication::translate("Commands", "%1 を読み込めませんでした。\n%2")
                        .arg(*path, QString::fromStdString(RefusalTextJa(done.parsed))),
                    BoxIcon::Error);
    return;
  }
  const ical::ImportResult& p = done.parsed;
  QString text = QCoreApplication::translate("Commands",
                                             "iCalendarを読み込みました。\n"
                                "追加 %1件、登録済み %2件、過去 %3件、置き換えた文字 %4文字、"
                                "別に保存 %5件")
                     .arg(done.report.stored)
                     .arg(p.alreadyThere)
                     .arg(p.past)
                     .arg(p.changedChars)
                     .arg(done.report.keptCount);
  if (p.changedChars > 0)
    text += QCoreApplication::translate("Commands", "\nShift-JISにない文字は、似た文字か「?」に置き換えました（%n件のラベル）。",
                                        nullptr, p.changedLabels);
  if (done.report.keptCount > 0 && done.report.keptResult.ok())
    text += QCoreApplication::translate("Commands", "\nラベルの数が上限を超えたため、%n件を %1 に残しました。",
                                        nullptr, done.report.keptCount)
                .arg(QString::fromLocal8Bit(done.report.keptFile));
  BoxIcon icon = BoxIcon::Information;
  if (done.report.keptCount > 0 && !done.report.keptResult.ok()) {
    text += QCoreApplication::translate("Commands", "\nラベルの数が上限を超えた%n件を %1 に残せませんでした [ %2 ]",
                                        nullptr, done.report.keptCount)
                .arg(QString::fromLocal8Bit(done.report.keptFile), Reason(done.report.keptResult.systemMessage));
    icon = BoxIcon::Error;
  }
  if (p.untitled > 0)
    text += QCoreApplication::translate("Commands", "\n件名も説明もない%n件は読み込みませんでした。", nullptr,
                                        p.untitled);
  Messages().Show(kFileBoxCaption, text, icon);
}

}  // namespace morna::ui
