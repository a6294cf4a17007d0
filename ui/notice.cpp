#include "ui/notice.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "ui/codec.h"
#include "ui/errors.h"

namespace morna::ui {

void ShowNotice(QWidget* owner, const QString& text) {
  QPointer<QWidget> guard(owner);
  QTimer::singleShot(0, [guard, hadOwner = owner != nullptr, text] {
    if (hadOwner && !guard) return;  // the window went away meanwhile
    // A window of its own in the middle of the screen: over the owner it
    // would cover the very controls the user is to go on with.
    auto* box = new QMessageBox(QMessageBox::Information, kAppTitle, text, QMessageBox::Ok);
    box->setObjectName(QStringLiteral("Notice"));
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (guard) QObject::connect(guard.data(), &QObject::destroyed, box, &QObject::deleteLater);
    box->show();
  });
}

QString NoTrayNoticeText(const QString& error) {
  return error + QCoreApplication::translate(
                     "Notices",
                     "\n\nこのデスクトップには通知領域（タスクトレイ）が見つかりません。"
                     "アイコンのメニューは、登録画面の何もない所を右クリックすると開きます。"
                     "後から通知領域が現れると、アイコンはそこに入ります。");
}

QString WaylandNoticeText() {
  return QCoreApplication::translate(
      "Notices",
      "このデスクトップ（Wayland）では、ラベルのウィンドウを指定の位置に置けません。\n\n"
      "ラベルを画面の端に並べるには XWayland を有効にしてください"
      "（多くのデスクトップでは xwayland パッケージを入れてログインし直すと有効になります）。");
}

QString RefusedSettingsNoticeText(const Settings& s, const QString& settingsFile) {
  QStringList parts;
  for (const RefusedSetting& r : s.Refused) {
    QString text = QCoreApplication::translate("Notices", "設定ファイル %1 の [%2] %3 は長すぎる（1023 バイトを超える）ため使いません。")
                       .arg(settingsFile, QString::fromLatin1(r.section), QString::fromLatin1(r.key));
    if (r.key == "FileName")
      text += QCoreApplication::translate("Notices", "ラベルは %1 に保存します。").arg(FromSjis(r.standIn));
    else if (r.key == "WaveFileName")
      text += QCoreApplication::translate("Notices", "アラームには内蔵の音を鳴らします。");
    text += QCoreApplication::translate("Notices", "設定ファイルのこの行は、設定画面で変えるまで書き換えません。");
    parts << text;
  }
  return parts.join(QStringLiteral("\n\n"));
}

QString PlaceHeldNoticeText(const QString& folder) {
  return QCoreApplication::translate(
             "Notices",
             "フォルダー %1 は別のアカウントのものです。このため、Moranote が二重に起動されても"
             "気付くことができません。\n\n"
             "このまま起動しますが、同じラベルファイルを使う Moranote を二つ起動しないでください"
             "（そのアカウントにフォルダーを削除してもらうと元に戻ります）。")
      .arg(folder);
}

QString DataFileInUseNoticeText(const QString& path) {
  return QCoreApplication::translate(
             "Notices",
             "ラベルファイル %1 は、別に起動している Moranote が使っています。\n\n"
             "二つの Moranote が同じファイルに書き込まないよう、どちらかを終了してください。")
      .arg(path);
}

}  // namespace morna::ui
