// The settings dialog's tabs: their controls, captions and places.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "ui/Pinit.h"
#include "ui/Pinit_shared.h"
#include "ui/alarm.h"
#include "ui/codec.h"
#include "ui/look.h"

namespace morna::ui {

namespace {

// A label, check box or radio button as wide as its caption.
template <class W>
W* PlaceFit(W* w, const QString& name, int left, int top, int height = 17) {
  return Place(w, name, left, top, w->sizeHint().width(), height);
}

QString Numbered(const char* stem, int k) { return QString::fromLatin1(stem) + QString::number(k); }

QComboBox* Combo(QWidget* parent, const QString& name, int left, int top, int width,
                 const QStringList& items, const QString& designed) {
  auto* c = Place(new QComboBox(parent), name, left, top, width, 20);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->addItems(items);
  c->setEditText(designed);
  return c;
}

QLineEdit* LatinEdit(QLineEdit* e) {
  e->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
  return e;
}

// The arrangement pictures: a cyan screen with black label blocks along one
// edge (1 top, 2 right, 3 bottom, 4 left).
QPixmap ArrangementPixmap(int edge) {
  QPixmap pixmap(20, 20);
  pixmap.fill(ToQColor(kAqua));
  QPainter p(&pixmap);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (int i = 0; i < 4; ++i) {
    const int along = 2 + i * 4;
    switch (edge) {
      case 1: p.drawRect(along, 1, 3, 3); break;
      case 2: p.drawRect(16, along, 3, 3); break;
      case 3: p.drawRect(along, 16, 3, 3); break;
      default: p.drawRect(1, along, 3, 3); break;
    }
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, 19, 19);
  return pixmap;
}

// A caption with a combo box standing over a run of its blanks. The
// stand-in font's blank is narrower than the one the places were measured
// with, so the word after the gap would hide under the box; en spaces in
// the runs of blanks keep the gaps as wide as designed.
QString GapCaption(const char* caption) {
  QString text = QString::fromLatin1(caption);
  static const QRegularExpression runs(QStringLiteral(" {2,}"));
  QRegularExpressionMatchIterator it = runs.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    text.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), QChar(0x2002)));
  }
  return text;
}

}  // namespace

using pinit::PGothic;

// ---------------------------------------------------------------- the tabs

void TPstInit::BuildVersionTab(QWidget* page) {
  auto* ver1 = Place(new QGroupBox(page), "GbVer1", 3, 0, 405, 90);
  Image5 = Place(new QLabel(ver1), "Image5", 10, 15, 32, 32);
  Image5->setPixmap(AppIcon().pixmap(32));
  ProgTitle = Place(new QLabel(QStringLiteral("Moranote "), ver1), "ProgTitle", 65, 18, 234, 24);
  ProgTitle->setFont(LookFont("Arial", 21, true, true));
  SetTextColor(ProgTitle, ToQColor(kNavy));
  const QFont versionFont = LookFont("Times New Roman", 13, true);
  LblVersion1 = Place(new QLabel(ver1), "LblVersion1", 70, 48, 261, 15);
  LblVersion2 = Place(new QLabel(ver1), "LblVersion2", 70, 65, 234, 15);
  for (QLabel* l : {LblVersion1, LblVersion2}) {
    l->setFont(versionFont);
    SetTextColor(l, ToQColor(kMaroon));
  }

  auto* ver2 = Place(new QGroupBox(QStringLiteral(" System Infomation "), page), "GbVer2", 3, 100,
                     405, 100);
  const char* const captions[4] = {"System", "User", "Computer", "Display Size"};
  const char* const names[4] = {"Sinfo0", "Sinfo1", "Sinfo2", "Label7"};
  for (int i = 0; i < 4; ++i) {
    PlaceFit(new QLabel(QString::fromLatin1(captions[i]), ver2), names[i], 30, 15 + 20 * i, 15);
    const QString name = Numbered("SinfoData", i);
    SinfoData[static_cast<std::size_t>(i)] =
        Place(new QLabel(name, ver2), name, 120, 15 + 20 * i, 280, 15);
  }
}

void TPstInit::BuildDataTab(QWidget* page) {
  PlaceFit(new QLabel(QStringLiteral("* Data File Name"), page), "Label1", 6, 8, 15);
  EdFileName = Place(new QLineEdit(page), "EdFileName", 130, 5, 250, 20);
  BtnFile = Place(new QPushButton(QStringLiteral("...."), page), "BtnFile", 385, 5, 20, 20);
  PlaceFit(new QLabel(QStringLiteral("* Data Count"), page), "Label2", 16, 36, 15);
  EdData = Combo(page, "EdData", 130, 32, 40, NumberItems(5, 50, 5), "30");
  PlaceFit(new QLabel(QStringLiteral("* Schedule Count"), page), "Label3", 233, 36, 15);
  EdSched = Combo(page, "EdSched", 350, 32, 40, NumberItems(1, 20), "6");

  auto* area = Place(new QGroupBox(QStringLiteral(" * Data Display Area "), page), "GroupBox1", 3,
                     56, 210, 42);
  for (int i = 0; i < 4; ++i) {
    const auto k = static_cast<std::size_t>(i);
    RbtnArea[k] = Place(new QRadioButton(area), Numbered("RbtnArea", i + 1), 10 + 50 * i, 17, 15, 15);
    Image[k] = Place(new TClickLabel(area), Numbered("Image", i + 1), 30 + 50 * i, 15, 20, 20);
    Image[k]->setPixmap(ArrangementPixmap(i + 1));
  }

  auto* past = Place(new QGroupBox(QStringLiteral(" * Display Past Data "), page), "GroupBox2", 3,
                     100, 210, 42);
  RbtnPast[0] = PlaceFit(new QRadioButton(QStringLiteral("Auto"), past), "RbtnPast1", 10, 17);
  RbtnPast[1] = PlaceFit(new QRadioButton(QStringLiteral("User"), past), "RbtnPast2", 110, 17);

  auto* size = Place(new QGroupBox(QStringLiteral(" * Data Display Size "), page), "GroupBox3", 3,
                     145, 210, 42);
  const char* const sizes[3] = {"Small", "Normal", "Large"};
  const int sizeLefts[3] = {10, 70, 140};
  for (int i = 0; i < 3; ++i) {
    RbtnSize[static_cast<std::size_t>(i)] = PlaceFit(
        new QRadioButton(QString::fromLatin1(sizes[i]), size), Numbered("RbtnSize", i + 1),
        sizeLefts[i], 17);
  }

  auto* display = Place(new QGroupBox(QStringLiteral(" * Display Data "), page), "GroupBox4", 220,
                        56, 190, 42);
  DspDataAll = Place(new QCheckBox(GapCaption("All   * Until          Days"), display),
                     "DspDataAll", 10, 17, 175, 17);
  // Over the gap in the check box's caption.
  EdDays = Combo(display, "EdDays", 104, 15, 45, NumberItems(10, 130, 10), "20");

  auto* ime = Place(new QGroupBox(QStringLiteral(" * IME Mode "), page), "GroupBox5", 220, 100,
                    190, 42);
  QStringList imeItems;
  for (std::size_t k = 0; k < kImeItems.size(); ++k) imeItems << pinit::ImeItem(k);
  CmbIME = Combo(ime, "CmbIME", 10, 16, 165, imeItems, QString());

  CbDataWidth = PlaceFit(new QCheckBox(QStringLiteral("Data Width"), page), "CbDataWidth", 229, 160);
  CbDtWidth = Combo(page, "CbDtWidth", 330, 158, 65, NumberItems(100, 250, 10) << QString(), "130");
  Beepon = PlaceFit(new QCheckBox(QStringLiteral("Beep On"), page), "Beepon", 6, 192);
  // Only shows the sound file's name; "...." chooses a file, "既定の音" goes
  // back to the built-in chime, "試聴" plays what is chosen.
  EdWaveFile = Place(new QLineEdit(page), "EdWaveFile", 86, 190, 175, 20);
  EdWaveFile->setReadOnly(true);
  EdWaveFile->setPlaceholderText(pinit::BuiltInSoundText());
  BtnWaveDefault =
      Place(new QPushButton(tr("既定の音"), page), "BtnWaveDefault", 265, 190, 62, 20);
  BtnWavePlay = Place(new QPushButton(tr("試聴"), page), "BtnWavePlay", 331, 190, 50, 20);
  BtnWave = Place(new QPushButton(QStringLiteral("...."), page), "BtnWave", 385, 190, 20, 20);
}

void TPstInit::BuildCalendarTab(QWidget* page) {
  auto* colors = Place(new QGroupBox(QStringLiteral(" * Calendar Color Mode "), page), "GroupBox6",
                       6, 10, 200, 120);
  const char* const days[8] = {"Sunday",   "Monday", "Tuesday",  "Wednesday",
                               "Thursday", "Friday", "Saturday", "Holiday"};
  for (int i = 0; i < 8; ++i) {
    QCheckBox* c = PlaceFit(new QCheckBox(QString::fromLatin1(days[i]), colors),
                            Numbered("Week", i + 1), i < 4 ? 10 : 110, 20 + 25 * (i % 4));
    if (i == 0 || i == 7) SetTextColor(c, ToQColor(kRed));
    if (i == 6) SetTextColor(c, ToQColor(kNavy));
    Week[static_cast<std::size_t>(i)] = c;
  }

  // "&&" shows as one ampersand.
  auto* lists = Place(new QGroupBox(QStringLiteral(" * Holiday && Non Holiday "), page),
                      "GroupBox7", 210, 10, 200, 199);
  RbtnHoly = PlaceFit(new QRadioButton(QStringLiteral("Holiday"), lists), "RbtnHoly", 10, 20);
  RbtnNHoly = PlaceFit(new QRadioButton(QStringLiteral("Non"), lists), "RbtnNHoly", 100, 20);
  LbHoliday = Place(new QListWidget(lists), "LbHoliday", 8, 40, 90, 150);
  EdHoliday = LatinEdit(Place(new QLineEdit(lists), "EdHoliday", 120, 40, 65, 20));
  BtnCalAdd = Place(new QPushButton(QStringLiteral("Add"), lists), "BtnCalAdd", 120, 70, 65, 18);
  BtnCalDel = Place(new QPushButton(QStringLiteral("Delete"), lists), "BtnCalDel", 120, 95, 65, 18);
  // The list box belongs to neither list until one is chosen, so Add and
  // Delete wait for that.
  BtnCalAdd->setEnabled(false);
  BtnCalDel->setEnabled(false);
  // Enter in the entry box adds the day instead of pressing OK.
  EdHoliday->installEventFilter(this);
  CbNational = Place(new QCheckBox(QStringLiteral("National\nHolidays\n(Japan)"), lists),
                     "CbNational", 104, 125, 94, 48);

  auto* calSize = Place(new QGroupBox(QStringLiteral("* Calendar Size "), page), "GroupBox16", 6,
                        132, 200, 77);
  CbCalHeight = PlaceFit(new QCheckBox(QStringLiteral("Height"), calSize), "CbCalHeight", 10, 22);
  CalHeightN = Combo(calSize, "CalHeightN", 110, 20, 70,
                     {"355", "400", "450", "500", "550", "600", "650", "700", "740"}, QString());
  CbCalWidth = PlaceFit(new QCheckBox(QStringLiteral("Width"), calSize), "CbCalWidth", 10, 48);
  CalWidthN = Combo(calSize, "CalWidthN", 110, 45, 70,
                    {"496", "558", "593", "628", "663", "698", "733", "768", "803", "838", "873",
                     "908", "943", "978"},
                    QString());
}

void TPstInit::BuildColorTab(QWidget* page) {
  struct Group {
    const char *box, *caption, *swatch, *radio, *button;
    int top;
  };
  const Group groups[4] = {
      {"GbColor1", " * Entry Form Back Color ", "SEcolor", "RbtnEcolor", "CB1", 0},
      {"GbColor2", " * Data Form Back Color ", "SPcolor", "RbtnPcolor", "CB2", 50},
      {"GbColor3", " * Timer Change Color ", "STcolor", "RbtnTcolor", "CB3", 100},
      {"GbColor4", " * Today Change Color ", "SDcolor", "RbtnDcolor", "CB4", 165},
  };
  for (std::size_t g = 0; g < 4; ++g) {
    ColorGroupBox& c = Color[g];
    c.box = Place(new QGroupBox(QString::fromLatin1(groups[g].caption), page), groups[g].box, 3,
                  groups[g].top, 405, 45);
    for (int k = 0; k < 5; ++k) {
      const auto i = static_cast<std::size_t>(k);
      c.radio[i] = Place(new QRadioButton(c.box), Numbered(groups[g].radio, k + 1), 20 + 65 * k, 18,
                         15, 15);
      const WinColor fill = k < 4 ? kSwatchColors[i] : kLightGrey;
      c.swatch[i] = Place(new TShape(c.box, fill, kBlack, 1), Numbered(groups[g].swatch, k + 1),
                          40 + 65 * k, 16, 30, 20);
    }
    c.button = Place(new QPushButton(QStringLiteral("Color.."), c.box), groups[g].button, 345, 16,
                     45, 20);
  }
  auto* label = new QLabel(GapCaption("* Change Color before           minutes"), page);
  label->setFont(PGothic(13, true));
  PlaceFit(label, "Label14", 16, 150, 15);
  ChangeMin = Combo(page, "ChangeMin", 168, 148, 45, NumberItems(1, 20), "5");
  // Between the timer and today groups, right of the minutes' caption; its
  // tooltip (which screen readers read as its description) says what it does.
  CbReadable = PlaceFit(new QCheckBox(tr("文字を濃く"), page), "CbReadable",
                        label->geometry().right() + 8, 148);
  CbReadable->setToolTip(
      tr("ラベルの文字が背景に対して読みにくい色 (コントラスト比 4.5:1 未満) のとき、"
         "同じ色味の濃い色で表示します"));
  // Tab follows the page from top to bottom: the minutes and this box stand
  // between the timer group and the today group.
  setTabOrder(Color[kTimerGroup].button, ChangeMin);
  setTabOrder(ChangeMin, CbReadable);
  setTabOrder(CbReadable, Color[kTodayGroup].radio[0]);
}

void TPstInit::BuildDisplayTab(QWidget* page) {
  auto* box = Place(new QGroupBox(QStringLiteral(" * Display Info "), page), "GroupBox13", 3, 5,
                    405, 200);
  DispCalnCheck = Place(new QCheckBox(QStringLiteral("Display  Calendar Only"), box),
                        "DispCalnCheck", 10, 20, 199, 17);
  DispAreaCheck =
      Place(new QCheckBox(QStringLiteral("Use This Data   Top      Left     Right   Bottom"), box),
            "DispAreaCheck", 10, 45, 327, 15);
  const char* const designed[4] = {"0", "0", "1024", "768"};
  for (int i = 0; i < 4; ++i) {
    DispEd[static_cast<std::size_t>(i)] = LatinEdit(
        Place(new QLineEdit(QString::fromLatin1(designed[i]), box), Numbered("DispEd", i + 1),
              130 + 50 * i, 60, 35, 20));
  }
  // The language of the program's texts: each language named in itself.
  PlaceFit(new QLabel(QStringLiteral("Language"), box), "LblLanguage", 222, 21, 15);
  CmbLanguage = Place(new QComboBox(box), "CmbLanguage", 285, 18, 110, 20);
  CmbLanguage->addItem(tr("システムの言語"), QString());
  CmbLanguage->addItem(QStringLiteral("日本語"), QStringLiteral("ja"));
  CmbLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
  CmbLanguage->setToolTip(tr("次に起動したときから、この言語で表示します。"));
  PlaceFit(new QLabel(QStringLiteral("Font Infomation        Font                   Size "), box),
           "Label13", 30, 100, 15);
  auto row = [box](const char* label, const char* labelName, int top) {
    PlaceFit(new QLabel(QString::fromLatin1(label), box), labelName, 30, top + 4, 15);
  };
  auto readOnly = [box](const char* name, int left, int top, int width) {
    QLineEdit* e = Place(new QLineEdit(box), name, left, top, width, 20);
    e->setReadOnly(true);
    return e;
  };
  row("Post Data", "Label12", 115);
  DispFont1 = readOnly("DispFont1", 130, 115, 135);
  DispSize1 = readOnly("DispSize1", 280, 115, 35);
  row("Title", "Label8", 140);
  DispFont2 = readOnly("DispFont2", 130, 140, 135);
  row("Calendar", "Label9", 165);
  DispFont3 = readOnly("DispFont3", 130, 165, 135);
  DispSize3 = readOnly("DispSize3", 280, 165, 35);
  for (int i = 0; i < 3; ++i) {
    BtnFont[static_cast<std::size_t>(i)] =
        Place(new QPushButton(QStringLiteral("Font"), box), Numbered("BtnFont", i + 1), 340,
              115 + 25 * i, 40, 20);
  }
}

void TPstInit::BuildAlarmTab(QWidget* page) {
  auto* alarms = Place(new QGroupBox(QStringLiteral("* Alarm"), page), "GroupBox14", 3, 5, 405, 148);
  auto check = [alarms](const char* caption, const char* name, int top) {
    return PlaceFit(new QCheckBox(QString::fromLatin1(caption), alarms), name, 10, top);
  };
  auto time = [alarms](const char* name, int top) {
    return Combo(alarms, name, 310, top, 80, HalfHourItems(), "00:00");
  };
  auto weekday = [alarms](const char* name, int top) {
    return Combo(alarms, name, 200, top, 100, WeekdayItems(), "Sunday");
  };
  CbDaily = check("Daily Alarm", "CbDaily", 18);
  CbALDailyTime = time("CbALDailyTime", 15);
  CbWeekly = check("Weekly Alarm", "CbWeekly", 48);
  CbAlWeeklyWeek = weekday("CbAlWeeklyWeek", 45);
  CbAlWeeklyTime = time("CbAlWeeklyTime", 45);
  CbMonthly1 = check("Monthly Alarm -1", "CbMonthly1", 78);
  CbAlMonthlyDay = Combo(alarms, "CbAlMonthlyDay", 150, 75, 40, NumberItems(1, 31), "1");
  CbAlMonthlyTime1 = time("CbAlMonthlyTime1", 75);
  CbMonthly2 = check("Monthly Alarm -2", "CbMonthly2", 108);
  CbAlMonthlyWeekNo = Combo(alarms, "CbAlMonthlyWeekNo", 150, 105, 40, NumberItems(1, 5), "1");
  CbAlMonthlyWeek = weekday("CbAlMonthlyWeek", 105);
  CbAlMonthlyTime2 = time("CbAlMonthlyTime2", 105);
  CbNotify = check("Desktop Notification at a Label's Warning and Time", "CbNotify", 130);

  auto* countDown = Place(new QGroupBox(QStringLiteral("* Count Down Alarm"), page), "GroupBox15",
                          3, 156, 405, 52);
  CbCntDown = Place(
      new QCheckBox(GapCaption("Count Down Alarm    Alarm before             Days"), countDown),
      "CbCntDown", 10, 22, 335, 17);
  // Over the gap in the check box's caption.
  CbDay = Combo(countDown, "CbDay", 250, 20, 50, NumberItems(1, 31), "10");
}

void TPstInit::Connect() {
  auto on = [this](auto* sender, auto signal, auto handler) {
    ConnectGuarded(sender, signal, this, handler);
  };
  on(BtnOK, &QPushButton::clicked, [this] { BtnOKClick(); });
  on(BtnCan, &QPushButton::clicked, [this] { BtnCanClick(); });
  on(BtnFile, &QPushButton::clicked, [this] { BtnFileClick(); });
  on(BtnWave, &QPushButton::clicked, [this] { BtnWaveClick(); });
  on(BtnWaveDefault, &QPushButton::clicked, [this] { BtnWaveDefaultClick(); });
  on(BtnWavePlay, &QPushButton::clicked, [this] { BtnWavePlayClick(); });
  on(RbtnHoly, &QRadioButton::clicked, [this] { RbtnHolyClick(); });
  on(RbtnNHoly, &QRadioButton::clicked, [this] { RbtnNHolyClick(); });
  on(BtnCalAdd, &QPushButton::clicked, [this] { BtnCalAddClick(); });
  on(BtnCalDel, &QPushButton::clicked, [this] { BtnCalDelClick(); });
  on(DispCalnCheck, &QCheckBox::clicked, [this] { DispCalnCheckClick(); });
  for (int k = 1; k <= 4; ++k) {
    on(Image[static_cast<std::size_t>(k - 1)], &TClickLabel::clicked, [this, k] { ImageClick(k); });
  }
  for (int k = 1; k <= 3; ++k)
    on(BtnFont[static_cast<std::size_t>(k - 1)], &QPushButton::clicked, [this, k] { BtnFontClick(k); });
  for (int g = 0; g < 4; ++g) {
    const ColorGroupBox& c = Color[static_cast<std::size_t>(g)];
    on(c.button, &QPushButton::clicked, [this, g] { CBClick(g); });
    for (int k = 1; k <= 5; ++k)
      on(c.swatch[static_cast<std::size_t>(k - 1)], &TShape::mouseDown,
         [this, g, k] { SwatchMouseDown(g, k); });
  }
}

bool TPstInit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EdHoliday && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Guard([this] { BtnCalAddClick(); });
      return true;  // the dialog's default button never sees it
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace morna::ui
