#include "ui/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <map>

#include "ui/Pcal.h"
#include "ui/Pinit.h"
#include "ui/Pmain.h"
#include "ui/Ppost.h"
#include "ui/Ppsub.h"
#include "ui/language.h"

namespace morna::ui {

namespace {

// The program's own windows are windows to screen readers (frames in
// AT-SPI), not the plain panels the toolkit takes a widget of its own for.
QAccessibleInterface* OwnWindowAccessible(const QString& className, QObject* object) {
  for (const QMetaObject* m : {&TPstMain::staticMetaObject, &TPstPsub::staticMetaObject,
                               &TPstCal::staticMetaObject}) {
    if (className == QLatin1String(m->className())) {
      auto* w = qobject_cast<QWidget*>(object);
      return w && w->isWindow() ? new QAccessibleWidget(w, QAccessible::Window) : nullptr;
    }
  }
  return nullptr;
}

void InstallWindowRoles() {
  static const bool installed = [] {
    QAccessible::installFactory(OwnWindowAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

void Speak(QWidget* w, const QString& name, const QString& description) {
  if (!w) return;
  w->setAccessibleName(name);
  if (!description.isEmpty()) w->setAccessibleDescription(description);
  // The edit line of a combo box speaks for it.
  if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
    Speak(combo->lineEdit(), name, description);
}

void Rename(QWidget* w, const QString& name) {
  if (w && w->accessibleName() != name) w->setAccessibleName(name);
}

void Redescribe(QWidget* w, const QString& description) {
  if (w && w->accessibleDescription() != description) w->setAccessibleDescription(description);
}

void RaiseAlert(QWidget* w) {
  if (!w) return;
  QAccessibleEvent alert(w, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

QString LabelWindowsKeyText() { return QStringLiteral("F6"); }
QString IconMenuKeyText() { return QStringLiteral("Alt+M"); }

void SpeakMain(TPstMain& w) {
  InstallWindowRoles();
  Speak(&w, w.windowTitle(),
        TPstMain::tr("%1: ラベルの窓へ移る、%2: メニュー")
            .arg(LabelWindowsKeyText(), IconMenuKeyText()));
  Speak(w.PstVerShow, TPstMain::tr("Moranote"), TPstMain::tr("クリックで設定画面を開きます"));
  Speak(w.PstTime, TPstMain::tr("日時"), TPstMain::tr("年/月/日 時:分"));
  Speak(w.SBar, TPstMain::tr("時刻"), TPstMain::tr("日時の時刻を15分ずつ選びます"));
  Speak(w.PstMesg, TPstMain::tr("メッセージ"));
  w.RbtnSche->setAccessibleDescription(TPstMain::tr("日時のあるラベル"));
  w.RbtnTodo->setAccessibleDescription(TPstMain::tr("日時のないラベル"));
  w.RbtnSche2->setAccessibleDescription(TPstMain::tr("繰り返す予定をまとめて貼ります"));
  w.BtnPost->setAccessibleDescription(TPstMain::tr("ラベルを貼ります"));
  w.BtnEnd->setAccessibleDescription(TPstMain::tr("プログラムを終了します"));
  w.YYMM->setAccessibleDescription(TPstMain::tr("クリックでカレンダーを表示します"));
  Speak(w.UDyymm, TPstMain::tr("月"));
  Speak(w.UDyymm->Up, TPstMain::tr("次の月"));
  Speak(w.UDyymm->Down, TPstMain::tr("前の月"));
  const QString weekdays[7] = {TPstMain::tr("日曜日"), TPstMain::tr("月曜日"),
                               TPstMain::tr("火曜日"), TPstMain::tr("水曜日"),
                               TPstMain::tr("木曜日"), TPstMain::tr("金曜日"),
                               TPstMain::tr("土曜日")};
  for (std::size_t i = 0; i < w.Week.size(); ++i) Speak(w.Week[i], weekdays[i]);
  Speak(w.Grid, TPstMain::tr("月のカレンダー"));
  const TScheduleGroup* g = w.GroupBox1;
  Speak(w.GroupBox1, TPstMain::tr("Schedule-2"));
  Speak(g->CbShWeeklyWeek, TPstMain::tr("毎週の曜日"));
  Speak(g->CbShWeeklyTime, TPstMain::tr("毎週の時刻"));
  Speak(g->CbShMonthlyDay, TPstMain::tr("毎月の日"));
  Speak(g->CbShMonthlyTime1, TPstMain::tr("毎月 (日) の時刻"));
  Speak(g->CbShMonthlyWeekNo, TPstMain::tr("毎月の週"));
  Speak(g->CbShMonthlyWeek, TPstMain::tr("毎月の曜日"));
  Speak(g->CbShMonthlyTime2, TPstMain::tr("毎月 (曜日) の時刻"));
}

void SpeakPopup(TPstPsub& w) {
  InstallWindowRoles();
  Speak(&w, TPstPsub::tr("ラベルの修正、削除"), TPstPsub::tr("Escキーで閉じます"));
  Speak(w.PostMesg, TPstPsub::tr("メッセージ"));
  Speak(w.Image1, TPstPsub::tr("質問"));
  Speak(w.Shape1, TPstPsub::tr("ラベル"));
  Speak(w.Shape2, TPstPsub::tr("質問"));
}

void SpeakSettings(TPstInit& w) {
  Speak(&w, TPstInit::tr("設定"), TPstInit::tr("Escキーで取り消して閉じます"));
  Speak(w.Image5, TPstInit::tr("Moranote のアイコン"));
  Speak(w.findChild<QGroupBox*>(QStringLiteral("GbVer1")), TPstInit::tr("バージョン"));
  Speak(w.PageControl1, TPstInit::tr("設定のページ"));
  // Every page by its tab.
  for (int i = 0; i < w.PageControl1->count(); ++i)
    Speak(w.PageControl1->widget(i), w.PageControl1->tabText(i));

  Speak(w.EdFileName, TPstInit::tr("データファイル名"));
  Speak(w.BtnFile, TPstInit::tr("データファイルを選ぶ"));
  Speak(w.EdData, TPstInit::tr("データ件数"));
  Speak(w.EdSched, TPstInit::tr("Schedule-2 の件数"));
  const QString edges[4] = {TPstInit::tr("上に並べる"), TPstInit::tr("右に並べる"),
                            TPstInit::tr("下に並べる"), TPstInit::tr("左に並べる")};
  for (std::size_t i = 0; i < 4; ++i) {
    Speak(w.RbtnArea[i], edges[i], TPstInit::tr("ラベルの窓を並べる場所"));
    Speak(w.Image[i], edges[i]);
  }
  Speak(w.DspDataAll, TPstInit::tr("すべて表示"),
        TPstInit::tr("オフのときは、後に続く日数の先までを表示します"));
  Speak(w.EdDays, TPstInit::tr("表示する日数"));
  Speak(w.CmbIME, TPstInit::tr("入力モード"));
  Speak(w.CbDtWidth, TPstInit::tr("ラベルの幅"));
  Speak(w.EdWaveFile, TPstInit::tr("アラーム音のファイル"));
  Speak(w.BtnWave, TPstInit::tr("アラーム音を選ぶ"));

  Speak(w.RbtnHoly, TPstInit::tr("休日の一覧"));
  Speak(w.RbtnNHoly, TPstInit::tr("休日にしない日の一覧"));
  Speak(w.LbHoliday, TPstInit::tr("日付の一覧"));
  Speak(w.EdHoliday, TPstInit::tr("加える日付 (月/日)"));
  Speak(w.CalHeightN, TPstInit::tr("カレンダーの高さ"));
  Speak(w.CalWidthN, TPstInit::tr("カレンダーの幅"));

  const QString colors[5] = {TPstInit::tr("薄い黄色"), TPstInit::tr("薄い水色"),
                             TPstInit::tr("薄い赤"), TPstInit::tr("薄い緑"),
                             TPstInit::tr("自分の色")};
  for (const TPstInit::ColorGroupBox& c : w.Color) {
    const QString group = c.box->title().simplified().remove(QLatin1Char('*')).trimmed();
    for (std::size_t k = 0; k < 5; ++k) {
      Speak(c.radio[k], colors[k], group);
      Speak(c.swatch[k], colors[k], group);
    }
    Speak(c.button, TPstInit::tr("自分の色を選ぶ"), group);
  }
  Speak(w.ChangeMin, TPstInit::tr("色を変える時間 (分前)"));

  const QString sides[4] = {TPstInit::tr("表示範囲の上"), TPstInit::tr("表示範囲の左"),
                            TPstInit::tr("表示範囲の右"), TPstInit::tr("表示範囲の下")};
  for (std::size_t i = 0; i < 4; ++i) Speak(w.DispEd[i], sides[i]);
  Speak(w.DispAreaCheck, TPstInit::tr("この表示範囲を使う"));
  Speak(w.DispFont1, TPstInit::tr("ラベルのフォント"));
  Speak(w.DispSize1, TPstInit::tr("ラベルの文字の大きさ"));
  Speak(w.DispFont2, TPstInit::tr("タイトルのフォント"));
  Speak(w.DispFont3, TPstInit::tr("カレンダーのフォント"));
  Speak(w.DispSize3, TPstInit::tr("カレンダーの文字の大きさ"));
  Speak(w.BtnFont[0], TPstInit::tr("ラベルのフォントを選ぶ"));
  Speak(w.BtnFont[1], TPstInit::tr("タイトルのフォントを選ぶ"));
  Speak(w.BtnFont[2], TPstInit::tr("カレンダーのフォントを選ぶ"));

  Speak(w.CbALDailyTime, TPstInit::tr("毎日のアラームの時刻"));
  Speak(w.CbAlWeeklyWeek, TPstInit::tr("毎週のアラームの曜日"));
  Speak(w.CbAlWeeklyTime, TPstInit::tr("毎週のアラームの時刻"));
  Speak(w.CbAlMonthlyDay, TPstInit::tr("毎月のアラーム1の日"));
  Speak(w.CbAlMonthlyTime1, TPstInit::tr("毎月のアラーム1の時刻"));
  Speak(w.CbAlMonthlyWeekNo, TPstInit::tr("毎月のアラーム2の週"));
  Speak(w.CbAlMonthlyWeek, TPstInit::tr("毎月のアラーム2の曜日"));
  Speak(w.CbAlMonthlyTime2, TPstInit::tr("毎月のアラーム2の時刻"));
  Speak(w.CbCntDown, TPstInit::tr("カウントダウンアラーム"),
        TPstInit::tr("起動したとき、後に続く日数のうちにラベルがあれば鳴らします"));
  Speak(w.CbDay, TPstInit::tr("何日前から"));
}

void SpeakCalendar(TPstCal& w) {
  InstallWindowRoles();
  Speak(&w, w.windowTitle(),
        TPstCal::tr("PageUp/PageDown: 前の月/次の月、Home: 今月、Esc: 閉じる"));
  w.Panel->setAccessibleDescription(
      TPstCal::tr("クリックで次の月、右クリックで前の月を表示します"));
  const QString weekdays[7] = {TPstCal::tr("日曜日"), TPstCal::tr("月曜日"),
                               TPstCal::tr("火曜日"), TPstCal::tr("水曜日"),
                               TPstCal::tr("木曜日"), TPstCal::tr("金曜日"),
                               TPstCal::tr("土曜日")};
  for (std::size_t i = 0; i < w.Week.size(); ++i) Speak(w.Week[i], weekdays[i]);
}

const DayNameTexts& DayTexts() {
  // Read once per language: a month grid asks for them for each of its cells.
  static std::map<UiLanguage, DayNameTexts> cache;
  const auto [it, added] = cache.try_emplace(CurrentLanguage());
  if (added) {
    const auto s = [](const QString& t) { return t.toStdString(); };
    DayNameTexts& t = it->second;
    t.date = s(TMonthGrid::tr("%1月%2日"));
    t.weekdays = {s(TMonthGrid::tr("日")), s(TMonthGrid::tr("月")), s(TMonthGrid::tr("火")),
                  s(TMonthGrid::tr("水")), s(TMonthGrid::tr("木")), s(TMonthGrid::tr("金")),
                  s(TMonthGrid::tr("土"))};
    t.holiday = s(TMonthGrid::tr("祝日: %1"));
    t.listedHoliday = s(TMonthGrid::tr("休日"));
    t.today = s(TMonthGrid::tr("今日"));
    t.labels = s(TMonthGrid::tr("%1件のラベル"));
  }
  return it->second;
}

QString DayName(const DaySpeech& day, bool blank) {
  if (blank) return TMonthGrid::tr("空白");
  // The holiday's name in the user's language, as its tooltip shows it.
  DaySpeech spoken = day;
  spoken.holidayName = CoreText("Holidays", day.holidayName).toStdString();
  return QString::fromStdString(DayCellName(spoken, DayTexts()));
}

QString LabelStateText(LabelState state) {
  switch (state) {
    case LabelState::Plain: return TPstPost::tr("予定");
    case LabelState::Today: return TPstPost::tr("今日の予定");
    case LabelState::Warning: return TPstPost::tr("まもなく時刻です");
    case LabelState::Due: return TPstPost::tr("時刻になりました");
    case LabelState::ToDo: return TPstPost::tr("ToDo");
    case LabelState::Alarm: return TPstPost::tr("アラーム");
  }
  return QString();
}

}  // namespace morna::ui
