// The registration window and the labels: the data file (load, save, the
// watch for changes made from outside), the one road of a change through
// the label book, and posting from the entry.
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

#include "core/entry.h"
#include "core/pastlabels.h"
#include "ui/Pcal.h"
#include "ui/Pmain.h"
#include "ui/caldav.h"
#include "ui/PostWindows.h"
#include "ui/codec.h"
#include "ui/commands.h"
#include "ui/look.h"
#include "ui/notice.h"
#include "ui/userfiles.h"

namespace morna::ui {

namespace {

QString DateTimeError() {
  return TPstMain::tr("Date & Timeの設定がまちがっています。") + QChar('\r') +
         TPstMain::tr("修正してください。");
}
QString MessagePrompt() { return TPstMain::tr("メッセージ入力！！"); }

// A recurring entry that ended with the date-time error after some of its
// labels were stored: its text says how many.
class StoppedPartWay : public ConvertError {
 public:
  using ConvertError::ConvertError;
};

QString SystemText(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

// ---------------------------------------------------------------- data file

void TPstMain::ShowFileError(const QString& what, const std::string& path,
                             const std::string& systemText) {
  // A box that does not wait: the road is also taken from the timer and
  // the file watcher, which a waiting box would hold.
  Messages().Tell(kFileBoxCaption,
                  what.arg(SystemText(systemText)) + QChar('\n') + QString::fromLocal8Bit(path),
                  BoxIcon::Error, this, {});
}

std::string TPstMain::DataFilePath() const { return ui::DataFilePath(state_.Settings, state_.DataDir); }

void TPstMain::LoadPostDataFile() {
  const OpenReport opened = state_.Labels.Open(DataFilePath(), state_.Settings.DataCnt);
  // Told without holding start-up up.
  if (!opened.notALabelFile.empty())
    ShowNotice(this, tr("%1 はラベルファイルではないため、書き換えません。"
                        "ラベルは %2 に保存します。")
                         .arg(QString::fromLocal8Bit(opened.notALabelFile),
                              QString::fromLocal8Bit(state_.Labels.Path())));
  if (!opened.loaded.ok())
    ShowFileError(tr("ファイルの読込みで[ %1 ] のエラーが発生しました。"), state_.Labels.Path(),
                  opened.loaded.systemMessage);
  WatchDataFile();
}

bool TPstMain::SavePostDataFile() {
  const LabelReport report = state_.Labels.Save(state_.Now());
  ShowLabelProblems(report);
  return report.outside.changed;
}

// The label file and its folder are watched (a sync client renames a new
// file over the old one, which only the folder sees); the paths are set
// again after every load and save, since a watch on a replaced file ends.
void TPstMain::WatchDataFile() {
  const QString file = QString::fromLocal8Bit(state_.Labels.Path());
  const QString folder = QFileInfo(file).absolutePath();
  const QStringList watched = DataWatcher->files() + DataWatcher->directories();
  if (!watched.isEmpty()) DataWatcher->removePaths(watched);
  for (const QString& path : {file, folder})
    if (QFileInfo::exists(path)) DataWatcher->addPath(path);
}

void TPstMain::FollowDataFile() {
  // A box shown part-way along the road (a failed save) runs the event loop,
  // and with it the timer: the road is never entered twice.
  if (onRoad_ || !state_.Labels.MayHaveChanged()) return;
  // What is being typed stays; windows, month grid and an open calendar
  // window show the labels as they now are.
  LabelChange change;
  change.takeInOutside = true;
  ChangeLabels(std::move(change), Entry::Keep);
}

// A label file named in the settings dialog: taken, started anew, or
// refused (the old name then stays).
void TPstMain::ShowDataFileSwitch(const LabelFile::SwitchResult& switched,
                                  const std::string& tried) {
  const QString path = QString::fromLocal8Bit(tried);
  switch (switched.outcome) {
    case LabelFile::Switch::Taken:
      Messages().Show(kFileBoxCaption,
                      tr("ラベルファイルを %1 に切り替えました (%n件のラベル)。"
                         "これまでのラベルは前のファイルに残っています。",
                         nullptr, state_.Labels.Table().LabelCount())
                          .arg(path),
                      BoxIcon::Information);
      return;
    case LabelFile::Switch::NewFile:
      return;  // the road has written the labels there
    case LabelFile::Switch::Refused: {
      const QString reason = switched.refusal == LabelFile::Refusal::NotALabelFile
                                 ? tr("ラベルファイルではありません")
                                 : SystemText(switched.reason);
      Messages().Show(kFileBoxCaption,
                      tr("%1 はラベルファイルとして読めないため、切り替えませんでした [ %2 ]。"
                         "ファイル名は元のままです。")
                          .arg(path, reason),
                      BoxIcon::Error);
      return;
    }
  }
}

// What the user must know of a change: files that could not be written, an
// unreadable file moved aside, labels that did not fit the table and where
// they went.
void TPstMain::ShowLabelProblems(const LabelReport& report) {
  const std::string& path = state_.Labels.Path();
  if (!report.archiveResult.ok())
    ShowFileError(tr("ファイルの書込みで[ %1 ] のエラーが発生しました。"), path + std::string(kPastLabelsSuffix),
                  report.archiveResult.systemMessage);
  if (!report.keptAsideAs.empty())
    ShowNotice(this, tr("読み込めなかったラベルファイル %1 を、書き換える前に %2 として残しました。")
                         .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(report.keptAsideAs)));
  if (report.saveTried && !report.saved.ok())
    ShowFileError(tr("ファイルの書込みで[ %1 ] のエラーが発生しました。"), path, report.saved.systemMessage);
  ShowOutsideChanges(report.outside);
}

// Labels that did not fit the table, and where they went. Told in a box
// that does not wait, so that a check from the schedule timer never holds
// the timer up.
void TPstMain::ShowOutsideChanges(const OutsideChanges& outside) {
  if (outside.keptCount == 0) return;
  const QString text =
      outside.keptResult.ok()
          ? tr("ほかのコンピューターで追加されたラベルが上限の%1件を超えたため、"
               "%n件を %2 に残しました。", nullptr, outside.keptCount)
                .arg(state_.Labels.Table().DataCnt())
                .arg(QString::fromLocal8Bit(outside.keptFile))
          : tr("ほかのコンピューターで追加されたラベル%n件を %1 に残せませんでした [ %2 ]", nullptr,
               outside.keptCount)
                .arg(QString::fromLocal8Bit(outside.keptFile), SystemText(outside.keptResult.systemMessage));
  Messages().Tell(kFileBoxCaption, text, BoxIcon::Warning, this, {});
}

// ---------------------------------------------------------------- posting

std::string TPstMain::MessageText() const {
  QString text = PstMesg->toPlainText();
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return ToSjis(text);
}

void TPstMain::SetMessageLines(const QStringList& lines) {
  PstMesg->clear();
  // Line by line, so that an empty last line keeps its own line break.
  SetMemoLines(PstMesg, lines);
}

PostEntry TPstMain::EntryFromForm() const {
  return PostEntry{ToSjis(PstTime->text()), RbtnTodo->isChecked(), MessageText()};
}

int TPstMain::Room() const { return state_.Labels.Room(PopupLabelNow()); }

ScheduleRun TPstMain::SchedDataSet() const {
  return morna::SchedDataSet(GroupBox1->Entry(), ToSjis(PstTime->text()), state_.Settings.ScheCnt, Room());
}

// The table holds its maximum number of labels: `stored` of the `wanted`
// labels of this post went in. Says so and how to make room.
void TPstMain::ShowTableFull(int stored, int wanted) {
  const QString text =
      QString::fromStdString(TableFullText(state_.Labels.Table().DataCnt(), stored, wanted));
  Messages().Show(kFileBoxCaption, text, BoxIcon::Warning);
}

void TPstMain::BtnPostClick() {
  try {
    // The date-time of a Schedule-1 label. Its text is stored as it stands,
    // and the data file knows a time line only by its length, so anything
    // but the 16 characters of "yyyy/mm/dd hh:mm" is refused as well.
    if (RbtnSche->isChecked() && !IsValidPostDateTime(ToSjis(PstTime->text())))
      throw ConvertError(DateTimeError());
    // The message: an empty first line is replaced by the prompt.
    const QString text = PstMesg->toPlainText();
    if (IsFirstLineEmpty(ToSjis(text))) {
      const qsizetype firstBreak = text.indexOf(QChar('\n'));
      PstMesg->setPlainText(MessagePrompt() + (firstBreak < 0 ? QString() : text.mid(firstBreak)));
      return;
    }
    // A table without room takes nothing: the entry stays as typed, nothing
    // on screen or on disk changes, and the user is told how to make room.
    const bool recurring = RbtnSche2->isChecked();
    const int wanted = recurring ? std::max(state_.Settings.ScheCnt, 0) : 1;
    if (wanted > 0 && Room() == 0) {
      ShowTableFull(0, wanted);
      return;
    }
    if (!text.endsWith(QChar('\n'))) {
      QTextCursor end(PstMesg->document());
      end.movePosition(QTextCursor::End);
      end.insertText(QStringLiteral("\n"));
    }
    const PostEntry entry = EntryFromForm();
    LabelChange change;
    ScheduleError runError = ScheduleError::None;
    if (recurring) {
      const ScheduleRun run = SchedDataSet();
      for (const std::string& time : run.labels)
        change.posts.push_back(PostEntry{time, entry.ToDo, entry.Message});
      // The date-time field shows the last label the run made.
      if (!run.labels.empty()) PstTime->setText(FromSjis(run.labels.back()));
      runError = run.error;
    } else {
      change.posts.push_back(entry);
    }
    // A run that met an impossible date stores the labels before it, and
    // the entry stays as it stands.
    const int stored =
        ChangeLabels(std::move(change), runError == ScheduleError::None ? Entry::Reset : Entry::Keep)
            .stored;
    if (runError != ScheduleError::None) {
      // Says what went in before the error, so that posting again does not
      // store those labels twice.
      if (stored == 0) throw ConvertError(DateTimeError());
      throw StoppedPartWay(DateTimeError() + QChar('\n') +
                           tr("%1件のうち%n件を登録したところでエラーになりました。", nullptr, stored)
                               .arg(std::max(state_.Settings.ScheCnt, 0)));
    }
    activateWindow();
    // Part of a recurring entry did not fit.
    if (stored < wanted) ShowTableFull(stored, wanted);
  } catch (const StoppedPartWay& e) {
    Messages().Show(kFileBoxCaption, e.text(), BoxIcon::Error);
  } catch (const ConvertError&) {
    Messages().Show(kFileBoxCaption, DateTimeError(), BoxIcon::Error);
  }
  if (state_.Settings.Caln == 1) {
    SetOuterWidth(kNarrowWidth);
    SelectRbtnSche();
  }
}

LabelReport TPstMain::ChangeLabels(LabelChange change, Entry entry) {
  const QScopedValueRollback<bool> onRoad(onRoad_, true);
  change.popup = PopupLabelNow();
  state_.Labels.SetPastData(state_.Settings.PastData);
  const LabelReport report = state_.Labels.Apply(change, state_.Now());
  // A change from outside that changed nothing leaves the screen as it is.
  if (change.takeInOutside && !report.Changed() && !report.outside.changed) {
    ShowLabelProblems(report);
    WatchDataFile();
    return report;
  }
  // The windows are re-filled, not made anew: moving a window that stands
  // already costs far less than making a new one.
  windows_->TakeDown();
  if (entry == Entry::Reset) PstMainFormSet();  // refills the month grid too
  else CalDay();
  windows_->DisplayData();
  if (calendar_) calendar_->Refill();
  WatchDataFile();
  ShowLabelProblems(report);
  if (calDav_ && (report.Changed() || report.outside.changed)) calDav_->LocalChanged();
  return report;
}

void TPstMain::PostMesgClick(const QStringList& lines) { SetMessageLines(lines); }

}  // namespace morna::ui
