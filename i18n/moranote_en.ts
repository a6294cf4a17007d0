<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>AlarmSound</name>
    <message>
        <source>%1（部品の版: %2、このプログラムの版: %3）</source>
        <translation>%1 (module version: %2, program version: %3)</translation>
    </message>
    <message>
        <source>不明</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>アラーム音を鳴らす部品 (morna_sound) の版がこのプログラムと合わないため、使いません。代わりにシステムのベルを鳴らします。
</source>
        <translation>The alarm sound module (morna_sound) does not match this program&apos;s version and is not used. The system bell rings instead.
</translation>
    </message>
    <message>
        <source>アラーム音を鳴らす部品 (morna_sound) を読み込めません。</source>
        <translation>Cannot load the alarm sound module (morna_sound).</translation>
    </message>
    <message>
        <source>

代わりに内蔵のアラーム音を鳴らしました。設定画面の「Data」タブで音を選び直せます。</source>
        <translation>

The built-in alarm sound played instead. You can choose another sound on the &quot;Data&quot; tab of the settings.</translation>
    </message>
    <message>
        <source>

ラベルの色は変わり続けます。この知らせは音が鳴るようになるまで再び出ません。</source>
        <translation>

The labels still change colour. This notice is not shown again until a sound can be played.</translation>
    </message>
    <message>
        <source>アラーム音のファイルが設定されていません。
設定画面（アイコンのメニューの「設定画面の表示」）の「Data」タブで WAV ファイルを選ぶか、「Beep On」を外してください。</source>
        <translation>No alarm sound file is set.
Choose a WAV file on the &quot;Data&quot; tab of the settings (the icon menu&apos;s &quot;Settings&quot;), or clear &quot;Beep On&quot;.</translation>
    </message>
    <message>
        <source>アラーム音のファイルを読み込めません。</source>
        <translation>Cannot read the alarm sound file.</translation>
    </message>
    <message>
        <source>アラーム音のファイルは再生できる WAV ファイルではありません。</source>
        <translation>The alarm sound file is not a WAV file that can be played.</translation>
    </message>
    <message>
        <source>音声の出力装置が見つからないため、アラーム音を鳴らせません。</source>
        <translation>No audio output device was found, so the alarm cannot sound.</translation>
    </message>
    <message>
        <source>アラーム音のファイルが見つかりません。</source>
        <translation>The alarm sound file was not found.</translation>
    </message>
    <message>
        <source>音声の出力装置を開けないため、アラーム音を鳴らせません。
</source>
        <translation>The audio output device cannot be opened, so the alarm cannot sound.
</translation>
    </message>
</context>
<context>
    <name>CalDavSync</name>
    <message>
        <source>版がこのプログラムと合いません</source>
        <translation>its version does not match this program</translation>
    </message>
    <message>
        <source>カレンダーサーバーと同期する部品 (morna_caldav) を読み込めません。</source>
        <translation>The calendar server module (morna_caldav) cannot be loaded.</translation>
    </message>
    <message>
        <source>サーバーの証明書を信頼できないため、接続しませんでした: %1</source>
        <translation>Not connected: the server&apos;s certificate cannot be trusted: %1</translation>
    </message>
    <message>
        <source>サーバーに接続できません: %1</source>
        <translation>Cannot connect to the server: %1</translation>
    </message>
    <message>
        <source>サーバーがログインを拒否しました (ユーザー名かパスワードが違います)。</source>
        <translation>The server refused the login (wrong user name or password).</translation>
    </message>
    <message>
        <source>サーバーがこの操作を許しませんでした (HTTP 403)。</source>
        <translation>The server did not allow this (HTTP 403).</translation>
    </message>
    <message>
        <source>サーバーにそのアドレスがありません (HTTP 404)。</source>
        <translation>The server has no such address (HTTP 404).</translation>
    </message>
    <message>
        <source>サーバーがエラーを返しました (HTTP %1)。</source>
        <translation>The server answered with an error (HTTP %1).</translation>
    </message>
    <message>
        <source>サーバーの応答を読めません: %1</source>
        <translation>Cannot read the server&apos;s answer: %1</translation>
    </message>
    <message>
        <source>カレンダーが見つかりません。</source>
        <translation>No calendar found.</translation>
    </message>
    <message>
        <source>同期の記録を保存できません: %1</source>
        <translation>Cannot save the sync record: %1</translation>
    </message>
    <message>
        <source>iCalendarを読み書きする部品 (morna_icalendar) を読み込めません。</source>
        <translation>The iCalendar module (morna_icalendar) cannot be loaded.</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Date &amp; Timeの設定がまちがっています。
修正してください。
</source>
        <translation>The Date &amp; Time is not valid.
Please correct it.
</translation>
    </message>
    <message>
        <source>メッセージ入力！！
メッセージの1行目が空のため、登録しませんでした。
</source>
        <translation>Enter a message!
The first line of the message is empty, so nothing was added.
</translation>
    </message>
    <message>
        <source>ラベルの数が上限の%1件に達しているため、登録できません。</source>
        <translation>The labels have reached their limit of %1, so nothing can be added.</translation>
    </message>
    <message numerus="yes">
        <source>ラベルの数が上限の%1件に達したため、%2件のうち%n件だけ登録しました。</source>
        <translation>
            <numerusform>The labels reached their limit of %1: only %n of %2 was added.</numerusform>
            <numerusform>The labels reached their limit of %1: only %n of %2 were added.</numerusform>
        </translation>
    </message>
    <message>
        <source>ラベルを削除するか、メニューの「設定画面の表示」の「Data」タブで「Data Count」を増やしてください。</source>
        <translation>Delete some labels, or raise &quot;Data Count&quot; on the &quot;Data&quot; tab of the menu&apos;s &quot;Settings&quot;.</translation>
    </message>
    <message>
        <source>ラベルを削除してください。</source>
        <translation>Please delete some labels.</translation>
    </message>
    <message>
        <source>UTF-8のテキストではありません（%1行目）。</source>
        <translation>It is not UTF-8 text (line %1).</translation>
    </message>
    <message>
        <source>iCalendarのファイルではありません。</source>
        <translation>It is not an iCalendar file.</translation>
    </message>
    <message>
        <source>ファイルが壊れています（%1）。</source>
        <translation>The file is damaged (%1).</translation>
    </message>
    <message>
        <source>定義されていないタイムゾーン %1 が使われています。</source>
        <translation>It uses the time zone %1, which it does not define.</translation>
    </message>
    <message>
        <source>%1 に書き込めません
%2</source>
        <translation>Cannot write %1
%2</translation>
    </message>
    <message numerus="yes">
        <source>日時が読めないラベル%n件は書き出しませんでした。</source>
        <translation>
            <numerusform>%n label whose date and time cannot be read was not written.</numerusform>
            <numerusform>%n labels whose date and time cannot be read were not written.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした。
%2</source>
        <translation>Could not read %1.
%2</translation>
    </message>
    <message>
        <source>iCalendarを読み込みました。
追加 %1件、登録済み %2件、過去 %3件、置き換えた文字 %4文字、別に保存 %5件</source>
        <translation>The iCalendar file was read.
Added %1, already there %2, past %3, characters replaced %4, kept aside %5</translation>
    </message>
    <message numerus="yes">
        <source>
Shift-JISにない文字は、似た文字か「?」に置き換えました（%n件のラベル）。</source>
        <translation>
            <numerusform>
Characters outside Shift-JIS were replaced with similar ones or &quot;?&quot; (%n label).</numerusform>
            <numerusform>
Characters outside Shift-JIS were replaced with similar ones or &quot;?&quot; (%n labels).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>
ラベルの数が上限を超えたため、%n件を %1 に残しました。</source>
        <translation>
            <numerusform>
The labels went over their limit: %n was kept in %1.</numerusform>
            <numerusform>
The labels went over their limit: %n were kept in %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>
ラベルの数が上限を超えた%n件を %1 に残せませんでした [ %2 ]</source>
        <translation>
            <numerusform>
%n label over the limit could not be kept in %1 [ %2 ]</numerusform>
            <numerusform>
%n labels over the limit could not be kept in %1 [ %2 ]</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>
件名も説明もない%n件は読み込みませんでした。</source>
        <translation>
            <numerusform>
%n item without a summary or description was skipped.</numerusform>
            <numerusform>
%n items without a summary or description were skipped.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>貼り付けた文章（%1 文字）はメッセージに入りきらないため、先頭の %2 文字だけを入れました。

メッセージに入るのは %3 文字までです。</source>
        <translation>The pasted text (%1 characters) does not fit in the message, so only its first %2 characters were put in.

A message holds up to %3 characters.</translation>
    </message>
    <message>
        <source>この領域は、メモの情報を記</source>
        <translation>This area holds the</translation>
    </message>
    <message>
        <source>録しておく領域です。</source>
        <translation>text of the memo.</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Moranote ヘルプ</source>
        <translation>Moranote Help</translation>
    </message>
</context>
<context>
    <name>Holidays</name>
    <message>
        <source>元日</source>
        <translation>New Year&apos;s Day</translation>
    </message>
    <message>
        <source>成人の日</source>
        <translation>Coming of Age Day</translation>
    </message>
    <message>
        <source>建国記念の日</source>
        <translation>National Foundation Day</translation>
    </message>
    <message>
        <source>天皇誕生日</source>
        <translation>The Emperor&apos;s Birthday</translation>
    </message>
    <message>
        <source>昭和天皇の大喪の礼</source>
        <translation>State Funeral of Emperor Showa</translation>
    </message>
    <message>
        <source>春分の日</source>
        <translation>Vernal Equinox Day</translation>
    </message>
    <message>
        <source>みどりの日</source>
        <translation>Greenery Day</translation>
    </message>
    <message>
        <source>昭和の日</source>
        <translation>Showa Day</translation>
    </message>
    <message>
        <source>皇太子明仁親王の結婚の儀</source>
        <translation>Wedding of Crown Prince Akihito</translation>
    </message>
    <message>
        <source>天皇の即位の日</source>
        <translation>The Emperor&apos;s Enthronement</translation>
    </message>
    <message>
        <source>憲法記念日</source>
        <translation>Constitution Memorial Day</translation>
    </message>
    <message>
        <source>こどもの日</source>
        <translation>Children&apos;s Day</translation>
    </message>
    <message>
        <source>皇太子徳仁親王の結婚の儀</source>
        <translation>Wedding of Crown Prince Naruhito</translation>
    </message>
    <message>
        <source>海の日</source>
        <translation>Marine Day</translation>
    </message>
    <message>
        <source>スポーツの日</source>
        <translation>Sports Day</translation>
    </message>
    <message>
        <source>山の日</source>
        <translation>Mountain Day</translation>
    </message>
    <message>
        <source>敬老の日</source>
        <translation>Respect for the Aged Day</translation>
    </message>
    <message>
        <source>秋分の日</source>
        <translation>Autumnal Equinox Day</translation>
    </message>
    <message>
        <source>即位礼正殿の儀</source>
        <translation>Enthronement Ceremony</translation>
    </message>
    <message>
        <source>体育の日</source>
        <translation>Health and Sports Day</translation>
    </message>
    <message>
        <source>文化の日</source>
        <translation>Culture Day</translation>
    </message>
    <message>
        <source>勤労感謝の日</source>
        <translation>Labour Thanksgiving Day</translation>
    </message>
    <message>
        <source>振替休日</source>
        <translation>Substitute Holiday</translation>
    </message>
    <message>
        <source>国民の休日</source>
        <translation>Citizens&apos; Holiday</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <source>%1 を削除できません</source>
        <translation>Cannot delete %1</translation>
    </message>
    <message>
        <source>

このデスクトップには通知領域（タスクトレイ）が見つかりません。アイコンのメニューは、登録画面の何もない所を右クリックすると開きます。後から通知領域が現れると、アイコンはそこに入ります。</source>
        <translation>

This desktop has no notification area (system tray). The icon&apos;s menu opens with a right click on an empty part of the entry window. When a notification area appears later, the icon goes there.</translation>
    </message>
    <message>
        <source>このデスクトップ（Wayland）では、ラベルのウィンドウを指定の位置に置けません。

ラベルを画面の端に並べるには XWayland を有効にしてください（多くのデスクトップでは xwayland パッケージを入れてログインし直すと有効になります）。</source>
        <translation>On this desktop (Wayland) the label windows cannot be put where the settings say.

To line the labels up along the screen&apos;s edge, turn XWayland on (on most desktops: install the xwayland package and log in again).</translation>
    </message>
    <message>
        <source>設定ファイル %1 の [%2] %3 は長すぎる（1023 バイトを超える）ため使いません。</source>
        <translation>[%2] %3 in the settings file %1 is too long (over 1023 bytes) and is not used. </translation>
    </message>
    <message>
        <source>ラベルは %1 に保存します。</source>
        <translation>The labels are saved in %1. </translation>
    </message>
    <message>
        <source>アラームには内蔵の音を鳴らします。</source>
        <translation>The alarm plays the built-in sound. </translation>
    </message>
    <message>
        <source>設定ファイルのこの行は、設定画面で変えるまで書き換えません。</source>
        <translation>This line of the settings file is left as it is until you change it in the settings.</translation>
    </message>
    <message>
        <source>フォルダー %1 は別のアカウントのものです。このため、Moranote が二重に起動されても気付くことができません。

このまま起動しますが、同じラベルファイルを使う Moranote を二つ起動しないでください（そのアカウントにフォルダーを削除してもらうと元に戻ります）。</source>
        <translation>The folder %1 belongs to another account, so Moranote cannot notice when it is started twice.

It starts anyway, but do not run two copies of Moranote on the same label file (this is mended when that account deletes the folder).</translation>
    </message>
    <message>
        <source>ラベルファイル %1 は、別に起動している Moranote が使っています。

二つの Moranote が同じファイルに書き込まないよう、どちらかを終了してください。</source>
        <translation>The label file %1 is used by another running Moranote.

Please end one of them, so that two copies do not write the same file.</translation>
    </message>
</context>
<context>
    <name>morna::ui::TCalDavPage</name>
    <message>
        <source>カレンダーサーバーと同期する (CalDAV)</source>
        <translation>Sync with a calendar server (CalDAV)</translation>
    </message>
    <message>
        <source>アドレス:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>ユーザー名:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>パスワード:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>キーリングに保存したもの</source>
        <translation>as saved in the keyring</translation>
    </message>
    <message>
        <source>接続を試す</source>
        <translation>Try to connect</translation>
    </message>
    <message>
        <source>カレンダー:</source>
        <translation>Calendar:</translation>
    </message>
    <message>
        <source>サーバーのアドレスを入力してください。</source>
        <translation>Enter the server&apos;s address.</translation>
    </message>
    <message>
        <source>接続しています...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>接続できました。カレンダーが %1 個見つかりました。</source>
        <translation>Connected. Calendars found: %1.</translation>
    </message>
    <message>
        <source>パスワードを保存する場所 (システムのキーリング) を使えません。同期はオンにできません: %1</source>
        <translation>The system keyring, where the password is kept, cannot be used, so sync cannot be turned on: %1</translation>
    </message>
</context>
<context>
    <name>morna::ui::TMonthGrid</name>
    <message>
        <source>%1月%2日</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>火</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>木</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>金</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>土</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>祝日: %1</source>
        <translation>holiday: %1</translation>
    </message>
    <message>
        <source>休日</source>
        <translation>day off</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>today</translation>
    </message>
    <message>
        <source>%1件のラベル</source>
        <translation>labels: %1</translation>
    </message>
    <message>
        <source>空白</source>
        <translation>blank</translation>
    </message>
</context>
<context>
    <name>morna::ui::TPstCal</name>
    <message>
        <source>PageUp/PageDown: 前の月/次の月、Home: 今月、Esc: 閉じる</source>
        <translation>PageUp/PageDown: previous/next month, Home: this month, Esc: close</translation>
    </message>
    <message>
        <source>クリックで次の月、右クリックで前の月を表示します</source>
        <translation>Click for the next month, right-click for the previous one</translation>
    </message>
    <message>
        <source>日曜日</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>月曜日</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>火曜日</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>水曜日</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>木曜日</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>金曜日</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Saturday</translation>
    </message>
</context>
<context>
    <name>morna::ui::TPstInit</name>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <source>このファイルは選べません。パスに、設定ファイル (Shift-JIS) に保存できない文字が含まれています。
ファイルやフォルダーの名前を変えてから選び直してください。元の設定のままにします。
</source>
        <translation>This file cannot be chosen: its path holds characters that the settings file (Shift-JIS) cannot store.
Rename the file or folder and choose it again. The setting stays as it was.
</translation>
    </message>
    <message>
        <source>データ保存ファイル (*.*)</source>
        <translation>Label files (*.*)</translation>
    </message>
    <message>
        <source>データ保存ファイル (*)</source>
        <translation>Label files (*)</translation>
    </message>
    <message>
        <source>サウンド ファイル (*.WAV)</source>
        <translation>Sound files (*.WAV)</translation>
    </message>
    <message>
        <source>サウンド ファイル (*.WAV *.wav)</source>
        <translation>Sound files (*.WAV *.wav)</translation>
    </message>
    <message>
        <source>日付の数が上限の%1件に達しているため、追加できません。
不要な日付を削除してから追加してください。</source>
        <translation>The list has reached its limit of %1 dates, so no more can be added.
Delete dates you do not need first.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は日付ではありません。月日を4桁で入力してください (例: 0101)。</source>
        <translation>&apos;%1&apos; is not a date. Enter the month and day as four digits (e.g. 0101).</translation>
    </message>
    <message>
        <source>内蔵のチャイム（既定の音）</source>
        <translation>Built-in chime (default)</translation>
    </message>
    <message>
        <source>既定の音</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>システムの言語</source>
        <translation>System</translation>
    </message>
    <message>
        <source>次に起動したときから、この言語で表示します。</source>
        <translation>The program speaks this language from its next start.</translation>
    </message>
    <message>
        <source>0 - なし</source>
        <translation>0 - None</translation>
    </message>
    <message>
        <source>1 - ｵﾝ</source>
        <translation>1 - On</translation>
    </message>
    <message>
        <source>2 - ｵﾌ</source>
        <translation>2 - Off</translation>
    </message>
    <message>
        <source>3 - ｵﾌ固定</source>
        <translation>3 - Off (fixed)</translation>
    </message>
    <message>
        <source>4 - 全角ひらがな</source>
        <translation>4 - Hiragana</translation>
    </message>
    <message>
        <source>5 - 全角ｶﾀｶﾅ</source>
        <translation>5 - Full-width katakana</translation>
    </message>
    <message>
        <source>6 - 半角ｶﾀｶﾅ</source>
        <translation>6 - Half-width katakana</translation>
    </message>
    <message>
        <source>7 - 全角英数</source>
        <translation>7 - Full-width alphanumeric</translation>
    </message>
    <message>
        <source>8 - 半角英数</source>
        <translation>8 - Alphanumeric</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Escキーで取り消して閉じます</source>
        <translation>Esc cancels and closes</translation>
    </message>
    <message>
        <source>Moranote のアイコン</source>
        <translation>Moranote icon</translation>
    </message>
    <message>
        <source>バージョン</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>設定のページ</source>
        <translation>Settings pages</translation>
    </message>
    <message>
        <source>データファイル名</source>
        <translation>Data file name</translation>
    </message>
    <message>
        <source>データファイルを選ぶ</source>
        <translation>Choose the data file</translation>
    </message>
    <message>
        <source>データ件数</source>
        <translation>Number of labels</translation>
    </message>
    <message>
        <source>Schedule-2 の件数</source>
        <translation>Number of Schedule-2 labels</translation>
    </message>
    <message>
        <source>上に並べる</source>
        <translation>Line up at the top</translation>
    </message>
    <message>
        <source>右に並べる</source>
        <translation>Line up on the right</translation>
    </message>
    <message>
        <source>下に並べる</source>
        <translation>Line up at the bottom</translation>
    </message>
    <message>
        <source>左に並べる</source>
        <translation>Line up on the left</translation>
    </message>
    <message>
        <source>ラベルの窓を並べる場所</source>
        <translation>Where the label windows line up</translation>
    </message>
    <message>
        <source>すべて表示</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>オフのときは、後に続く日数の先までを表示します</source>
        <translation>When off, shows labels up to the number of days that follows</translation>
    </message>
    <message>
        <source>表示する日数</source>
        <translation>Days shown</translation>
    </message>
    <message>
        <source>入力モード</source>
        <translation>Input mode</translation>
    </message>
    <message>
        <source>ラベルの幅</source>
        <translation>Label width</translation>
    </message>
    <message>
        <source>アラーム音のファイル</source>
        <translation>Alarm sound file</translation>
    </message>
    <message>
        <source>アラーム音を選ぶ</source>
        <translation>Choose the alarm sound</translation>
    </message>
    <message>
        <source>休日の一覧</source>
        <translation>List of holidays</translation>
    </message>
    <message>
        <source>休日にしない日の一覧</source>
        <translation>List of days that are no holidays</translation>
    </message>
    <message>
        <source>日付の一覧</source>
        <translation>List of dates</translation>
    </message>
    <message>
        <source>加える日付 (月/日)</source>
        <translation>Date to add (month/day)</translation>
    </message>
    <message>
        <source>カレンダーの高さ</source>
        <translation>Calendar height</translation>
    </message>
    <message>
        <source>カレンダーの幅</source>
        <translation>Calendar width</translation>
    </message>
    <message>
        <source>薄い黄色</source>
        <translation>Light yellow</translation>
    </message>
    <message>
        <source>薄い水色</source>
        <translation>Light cyan</translation>
    </message>
    <message>
        <source>薄い赤</source>
        <translation>Light red</translation>
    </message>
    <message>
        <source>薄い緑</source>
        <translation>Light green</translation>
    </message>
    <message>
        <source>自分の色</source>
        <translation>Own colour</translation>
    </message>
    <message>
        <source>自分の色を選ぶ</source>
        <translation>Choose your own colour</translation>
    </message>
    <message>
        <source>色を変える時間 (分前)</source>
        <translation>Minutes before the time the colour changes</translation>
    </message>
    <message>
        <source>ラベルの文字が背景に対して読みにくい色 (コントラスト比 4.5:1 未満) のとき、同じ色味の濃い色で表示します</source>
        <translation>Where a label&apos;s text is hard to read on its background (contrast below 4.5:1), draws it in a darker shade of the same hue</translation>
    </message>
    <message>
        <source>表示範囲の上</source>
        <translation>Top of the display area</translation>
    </message>
    <message>
        <source>表示範囲の左</source>
        <translation>Left of the display area</translation>
    </message>
    <message>
        <source>表示範囲の右</source>
        <translation>Right of the display area</translation>
    </message>
    <message>
        <source>表示範囲の下</source>
        <translation>Bottom of the display area</translation>
    </message>
    <message>
        <source>この表示範囲を使う</source>
        <translation>Use this display area</translation>
    </message>
    <message>
        <source>ラベルのフォント</source>
        <translation>Label font</translation>
    </message>
    <message>
        <source>ラベルの文字の大きさ</source>
        <translation>Label font size</translation>
    </message>
    <message>
        <source>タイトルのフォント</source>
        <translation>Title font</translation>
    </message>
    <message>
        <source>カレンダーのフォント</source>
        <translation>Calendar font</translation>
    </message>
    <message>
        <source>カレンダーの文字の大きさ</source>
        <translation>Calendar font size</translation>
    </message>
    <message>
        <source>ラベルのフォントを選ぶ</source>
        <translation>Choose the label font</translation>
    </message>
    <message>
        <source>タイトルのフォントを選ぶ</source>
        <translation>Choose the title font</translation>
    </message>
    <message>
        <source>カレンダーのフォントを選ぶ</source>
        <translation>Choose the calendar font</translation>
    </message>
    <message>
        <source>毎日のアラームの時刻</source>
        <translation>Daily alarm time</translation>
    </message>
    <message>
        <source>毎週のアラームの曜日</source>
        <translation>Weekly alarm weekday</translation>
    </message>
    <message>
        <source>毎週のアラームの時刻</source>
        <translation>Weekly alarm time</translation>
    </message>
    <message>
        <source>毎月のアラーム1の日</source>
        <translation>Monthly alarm 1 day</translation>
    </message>
    <message>
        <source>毎月のアラーム1の時刻</source>
        <translation>Monthly alarm 1 time</translation>
    </message>
    <message>
        <source>毎月のアラーム2の週</source>
        <translation>Monthly alarm 2 week</translation>
    </message>
    <message>
        <source>毎月のアラーム2の曜日</source>
        <translation>Monthly alarm 2 weekday</translation>
    </message>
    <message>
        <source>毎月のアラーム2の時刻</source>
        <translation>Monthly alarm 2 time</translation>
    </message>
    <message>
        <source>カウントダウンアラーム</source>
        <translation>Count-down alarm</translation>
    </message>
    <message>
        <source>起動したとき、後に続く日数のうちにラベルがあれば鳴らします</source>
        <translation>At start-up, sounds when a label falls within the days that follow</translation>
    </message>
    <message>
        <source>何日前から</source>
        <translation>Days before</translation>
    </message>
    <message>
        <source>文字を濃く</source>
        <translation>Darker text</translation>
    </message>
</context>
<context>
    <name>morna::ui::TPstMain</name>
    <message>
        <source>登録画面を閉じる</source>
        <translation>Close Entry Window</translation>
    </message>
    <message>
        <source>登録画面を表示</source>
        <translation>Show Entry Window</translation>
    </message>
    <message>
        <source>カレンダーの表示</source>
        <translation>Show Calendar</translation>
    </message>
    <message>
        <source>設定画面の表示</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ヘルプの表示</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>iCalendarに書き出す...</source>
        <translation>Export to iCalendar...</translation>
    </message>
    <message>
        <source>iCalendarを読み込む...</source>
        <translation>Import iCalendar...</translation>
    </message>
    <message>
        <source>ログイン時に起動</source>
        <translation>Start at Login</translation>
    </message>
    <message>
        <source>プログラムの終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>日付に変換できない値が渡されました</source>
        <translation>A value that is not a date was given</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not an integer</translation>
    </message>
    <message>
        <source>%1 に書き込めません
%2</source>
        <translation>Cannot write %1
%2</translation>
    </message>
    <message>
        <source>%1 (まもなく)</source>
        <translation>%1 (soon)</translation>
    </message>
    <message>
        <source>Date &amp; Timeの設定がまちがっています。</source>
        <translation>The Date &amp; Time is not valid.</translation>
    </message>
    <message>
        <source>修正してください。</source>
        <translation>Please correct it.</translation>
    </message>
    <message>
        <source>メッセージ入力！！</source>
        <translation>Enter a message!</translation>
    </message>
    <message>
        <source>%1 はラベルファイルではないため、書き換えません。ラベルは %2 に保存します。</source>
        <translation>%1 is not a label file and is left alone. The labels are saved in %2.</translation>
    </message>
    <message>
        <source>ファイルの読込みで[ %1 ] のエラーが発生しました。</source>
        <translation>Reading the file failed [ %1 ].</translation>
    </message>
    <message numerus="yes">
        <source>ラベルファイルを %1 に切り替えました (%n件のラベル)。これまでのラベルは前のファイルに残っています。</source>
        <translation>
            <numerusform>The label file is now %1 (%n label). The labels so far stay in the previous file.</numerusform>
            <numerusform>The label file is now %1 (%n labels). The labels so far stay in the previous file.</numerusform>
        </translation>
    </message>
    <message>
        <source>ラベルファイルではありません</source>
        <translation>it is not a label file</translation>
    </message>
    <message>
        <source>%1 はラベルファイルとして読めないため、切り替えませんでした [ %2 ]。ファイル名は元のままです。</source>
        <translation>%1 cannot be read as a label file, so the label file was not changed [ %2 ]. The file name stays as it was.</translation>
    </message>
    <message>
        <source>ファイルの書込みで[ %1 ] のエラーが発生しました。</source>
        <translation>Writing the file failed [ %1 ].</translation>
    </message>
    <message>
        <source>読み込めなかったラベルファイル %1 を、書き換える前に %2 として残しました。</source>
        <translation>The label file %1 could not be read; before it was written over, it was kept as %2.</translation>
    </message>
    <message numerus="yes">
        <source>ほかのコンピューターで追加されたラベルが上限の%1件を超えたため、%n件を %2 に残しました。</source>
        <translation>
            <numerusform>Labels added on another computer went over the limit of %1: %n was kept in %2.</numerusform>
            <numerusform>Labels added on another computer went over the limit of %1: %n were kept in %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ほかのコンピューターで追加されたラベル%n件を %1 に残せませんでした [ %2 ]</source>
        <translation>
            <numerusform>%n label added on another computer could not be kept in %1 [ %2 ]</numerusform>
            <numerusform>%n labels added on another computer could not be kept in %1 [ %2 ]</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1件のうち%n件を登録したところでエラーになりました。</source>
        <translation>
            <numerusform>The error came after %n of %1 labels had been added.</numerusform>
            <numerusform>The error came after %n of %1 labels had been added.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: ラベルの窓へ移る、%2: メニュー</source>
        <translation>%1: go to the label windows, %2: menu</translation>
    </message>
    <message>
        <source>Moranote</source>
        <translation>Moranote</translation>
    </message>
    <message>
        <source>クリックで設定画面を開きます</source>
        <translation>Click to open the settings</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>年/月/日 時:分</source>
        <translation>year/month/day hour:minute</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>日時の時刻を15分ずつ選びます</source>
        <translation>Chooses the time in steps of 15 minutes</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>日時のあるラベル</source>
        <translation>Label with a date and time</translation>
    </message>
    <message>
        <source>日時のないラベル</source>
        <translation>Label without a date</translation>
    </message>
    <message>
        <source>繰り返す予定をまとめて貼ります</source>
        <translation>Posts a recurring entry as its dated labels</translation>
    </message>
    <message>
        <source>ラベルを貼ります</source>
        <translation>Posts the label</translation>
    </message>
    <message>
        <source>プログラムを終了します</source>
        <translation>Ends the program</translation>
    </message>
    <message>
        <source>クリックでカレンダーを表示します</source>
        <translation>Click to show the calendar</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>次の月</source>
        <translation>Next month</translation>
    </message>
    <message>
        <source>前の月</source>
        <translation>Previous month</translation>
    </message>
    <message>
        <source>日曜日</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>月曜日</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>火曜日</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>水曜日</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>木曜日</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>金曜日</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>月のカレンダー</source>
        <translation>Month calendar</translation>
    </message>
    <message>
        <source>Schedule-2</source>
        <translation>Schedule-2</translation>
    </message>
    <message>
        <source>毎週の曜日</source>
        <translation>Weekly: weekday</translation>
    </message>
    <message>
        <source>毎週の時刻</source>
        <translation>Weekly: time</translation>
    </message>
    <message>
        <source>毎月の日</source>
        <translation>Monthly: day</translation>
    </message>
    <message>
        <source>毎月 (日) の時刻</source>
        <translation>Monthly (day): time</translation>
    </message>
    <message>
        <source>毎月の週</source>
        <translation>Monthly: week</translation>
    </message>
    <message>
        <source>毎月の曜日</source>
        <translation>Monthly: weekday</translation>
    </message>
    <message>
        <source>毎月 (曜日) の時刻</source>
        <translation>Monthly (weekday): time</translation>
    </message>
    <message>
        <source>カレンダーサーバーと同期できません: %1
ラベルはこれまでどおり使えます。変更はサーバーに届くようになったときに送ります。</source>
        <translation>Cannot sync with the calendar server: %1
Labels work as before. Changes are sent when the server can be reached.</translation>
    </message>
    <message>
        <source>カレンダーサーバーのパスワードがキーリングにありません。設定画面の「CalDAV」タブで入力してください。</source>
        <translation>The calendar server&apos;s password is not in the keyring. Enter it on the &quot;CalDAV&quot; tab of the settings.</translation>
    </message>
    <message>
        <source>パスワードを保存する場所 (システムのキーリング) を使えないため、カレンダーサーバーとは同期しません: %1</source>
        <translation>Not syncing with the calendar server: the system keyring, where the password is kept, cannot be used: %1</translation>
    </message>
    <message>
        <source>同期はオフです。</source>
        <translation>Sync is off.</translation>
    </message>
    <message>
        <source>最後に同期した時刻: %1</source>
        <translation>Last synced: %1</translation>
    </message>
    <message>
        <source>まだ同期していません。</source>
        <translation>Not synced yet.</translation>
    </message>
    <message>
        <source>サーバーの予定のうち Shift-JIS で表せない文字 %1 個を、似た文字か「?」に置き換えました。</source>
        <translation>Characters of the server&apos;s events that Shift-JIS cannot hold, replaced by look-alikes or &quot;?&quot;: %1.</translation>
    </message>
    <message>
        <source>最後のエラー: %1</source>
        <translation>Last error: %1</translation>
    </message>
    <message>
        <source>同期エラー</source>
        <translation>sync error</translation>
    </message>
    <message>
        <source>同期 %1</source>
        <translation>synced %1</translation>
    </message>
</context>
<context>
    <name>morna::ui::TPstPost</name>
    <message>
        <source>日曜日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>月曜日</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>火曜日</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>水曜日</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>木曜日</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>金曜日</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>毎日 %1</source>
        <translation>Daily %1</translation>
    </message>
    <message>
        <source>毎週 %1 %2</source>
        <translation>Weekly %1 %2</translation>
    </message>
    <message>
        <source>毎月 %1日 %2</source>
        <translation>Monthly day %1 %2</translation>
    </message>
    <message>
        <source>毎月 第%1%2 %3</source>
        <translation>Monthly #%1 %2 %3</translation>
    </message>
    <message>
        <source>予定</source>
        <translation>Planned</translation>
    </message>
    <message>
        <source>今日の予定</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>まもなく時刻です</source>
        <translation>Time comes soon</translation>
    </message>
    <message>
        <source>時刻になりました</source>
        <translation>Time has come</translation>
    </message>
    <message>
        <source>ToDo</source>
        <translation>ToDo</translation>
    </message>
    <message>
        <source>アラーム</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>ラベルの枠</source>
        <translation>Label frame</translation>
    </message>
    <message>
        <source>。Enterキーで修正・削除</source>
        <translation>. Enter: modify or delete</translation>
    </message>
</context>
<context>
    <name>morna::ui::TPstPsub</name>
    <message>
        <source>データの修正、削除を</source>
        <translation>Modify or delete</translation>
    </message>
    <message>
        <source>行いますか?</source>
        <translation>this label?</translation>
    </message>
    <message>
        <source>修正</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ラベルの修正、削除</source>
        <translation>Modify or delete the label</translation>
    </message>
    <message>
        <source>Escキーで閉じます</source>
        <translation>Esc closes</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>質問</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Label</translation>
    </message>
</context>
<context>
    <name>morna::ui::TTaskTray</name>
    <message>
        <source>0以下は指定できません</source>
        <translation>It cannot be 0 or less</translation>
    </message>
    <message>
        <source>同じアイコン識別子が有ります</source>
        <translation>The same icon identifier is in use</translation>
    </message>
    <message>
        <source>アイコンが指定されていません</source>
        <translation>No icon is set</translation>
    </message>
    <message>
        <source>タスクトレイに登録できません</source>
        <translation>Cannot put the icon in the notification area</translation>
    </message>
</context>
</TS>
