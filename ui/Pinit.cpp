#include "ui/Pinit.h"

#include "ui/CalDavPage.h"
#include "ui/Pinit_shared.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <span>
#include <variant>
#include <vector>

#include "core/datetime.h"
#include "core/settingrows.h"
#include "ui/access.h"
#include "ui/alarm.h"
#include "ui/codec.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/pickers.h"
#include "ui/sysinfo.h"

namespace morna::ui {

namespace {

class NarrowTabs : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? std::max(4, value - 8) : value;
  }
};

}  // namespace

using pinit::PGothic;

namespace {

// Texts shown from the settings keep their bytes: read back unchanged they
// give the very bytes that were shown, even where these are no valid
// Shift-JIS.
const char* const kSjisProperty = "sjisBytes";

void SetSjis(QLineEdit* e, const std::string& bytes) {
  e->setText(FromSjis(bytes));
  e->setProperty(kSjisProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Sjis(const QLineEdit* e) {
  const QByteArray shown = e->property(kSjisProperty).toByteArray();
  const std::string bytes(shown.constData(), static_cast<std::size_t>(shown.size()));
  if (!shown.isNull() && FromSjis(bytes) == e->text()) return bytes;
  return ToSjis(e->text());
}

// A text typed in that the settings file cannot hold; the bytes shown from
// the settings count as stored, whatever they are.
bool Unstorable(const QLineEdit* e) {
  const QByteArray shown = e->property(kSjisProperty).toByteArray();
  if (!shown.isNull() &&
      FromSjis(std::string(shown.constData(), static_cast<std::size_t>(shown.size()))) == e->text())
    return false;
  return !FitsSjis(e->text());
}

int CheckedOf(std::span<QRadioButton* const> buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i]->isChecked()) return static_cast<int>(i) + 1;
  }
  return 0;
}

// Checks button k (1..N) of a group; 0 leaves none checked, which an
// exclusive group only allows with its exclusion off for the moment.
void SetChecked(std::span<QRadioButton* const> buttons, int k) {
  if (k >= 1 && k <= static_cast<int>(buttons.size())) {
    buttons[static_cast<std::size_t>(k - 1)]->setChecked(true);
    return;
  }
  for (QRadioButton* b : buttons) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
}

QString NotInteger(const std::string& text) {
  return TPstInit::tr("'%1' は整数ではありません").arg(FromSjis(text));
}

// The settings file is Shift-JIS: a path with a character outside it would
// be stored with "?" in its place and never be found again.
QString UnstorablePathText(const QString& path) {
  return TPstInit::tr(
             "このファイルは選べません。パスに、設定ファイル (Shift-JIS) に保存できない文字が"
             "含まれています。\n"
             "ファイルやフォルダーの名前を変えてから選び直してください。元の設定のままにします。\n") +
         path;
}

}  // namespace

TPstInit::TPstInit(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state) {
  setObjectName(QStringLiteral("TPstInit"));
  setWindowTitle(QStringLiteral("Moranote "));
  setWindowIcon(AppIcon());
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PGothic(12, false));

  LblTitle = Place(new QLabel(QStringLiteral("Moranote Initial "), this), "LblTitle", 4, 2, 218, 18);
  LblTitle->setFont(LookFont("Arial", 16, true, true));
  SetTextColor(LblTitle, ToQColor(kNavy));

  BtnOK = Place(new QPushButton(QStringLiteral("O K"), this), "BtnOK", 250, 270, 80, 18);
  BtnCan = Place(new QPushButton(QStringLiteral("Cancel"), this), "BtnCan", 340, 270, 80, 18);

  PageControl1 = Place(new QTabWidget(this), "PageControl1", 5, 24, 420, 240);
  PageControl1->setFont(PGothic(12, true));
  SetTextColor(PageControl1, Qt::black);
  using Builder = void (TPstInit::*)(QWidget*);
  const std::pair<const char*, Builder> tabs[] = {
      {"Version", &TPstInit::BuildVersionTab},   {"Data", &TPstInit::BuildDataTab},
      {"Calendar", &TPstInit::BuildCalendarTab}, {"Color", &TPstInit::BuildColorTab},
      {"Display", &TPstInit::BuildDisplayTab},   {"Alarm", &TPstInit::BuildAlarmTab},
  };
  for (const auto& [caption, build] : tabs) {
    auto* page = new QWidget(PageControl1);  // its font from the start, for the fitted captions
    page->setObjectName(QString::fromLatin1(caption));
    (this->*build)(page);
    PageControl1->addTab(page, QString::fromLatin1(caption));
  }
  CalDavPage = new TCalDavPage(PageControl1);
  PageControl1->addTab(CalDavPage, QStringLiteral("CalDAV"));
  // The seven tabs stand side by side in the dialog's width, without scroll
  // arrows that would hide the last one, with a little less room around each
  // caption.
  auto* narrow = new NarrowTabs;
  narrow->setParent(PageControl1->tabBar());
  PageControl1->tabBar()->setStyle(narrow);
  PageControl1->setCurrentIndex(0);

  Connect();
  SpeakSettings(*this);
  BtnOK->setDefault(true);
  BtnOK->setFocus();
}

// ---------------------------------------------------------------- showing

void TPstInit::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) Guard([this] { FormShow(); });
}

void TPstInit::FormShow() {
  // Centred on the screen; integer division rounds toward zero.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize s = screen->size();
    move((s.width() - width()) / 2, (s.height() - height()) / 2);
  }
  // The controls from the settings.
  IniFileInfoSet();
  // The system information.
  const SystemInfo info = ReadSystemInfo();
  if (info.os) SetInfoLine(0, *info.os);
  SetInfoLine(1, info.user.left(254));
  const QString processor = info.processor.value_or(InfoLine(2));
  SetInfoLine(2, QString::fromStdString(ProcessorLine(processor.toStdString(), info.memoryBytes)));
  SetInfoLine(3, QString::fromStdString(WorkAreaLine(state_.WorkArea)));
  BtnOK->setFocus();
}

void TPstInit::SetInfoLine(int i, const QString& text) {
  QLabel* line = SinfoData[static_cast<std::size_t>(i)];
  const QString shown =
      line->fontMetrics().elidedText(text, Qt::ElideRight, line->contentsRect().width());
  line->setText(shown);
  line->setToolTip(shown == text ? QString() : text);
}

QString TPstInit::InfoLine(int i) const {
  const QLabel* line = SinfoData[static_cast<std::size_t>(i)];
  return line->toolTip().isEmpty() ? line->text() : line->toolTip();
}

void TPstInit::IniFileInfoSet() {
  SetForm(morna::IniFileInfoSet(state_.Settings, Form()));
  CalDavPage->Fill(state_.Settings);
}

void TPstInit::IniFileInfoSave() {
  if (Unstorable(EdFileName)) throw Error(UnstorablePathText(EdFileName->text()));
  Settings edited = state_.Settings;
  if (const std::optional<std::string> bad = morna::IniFileInfoSave(Form(), edited))
    throw Error(NotInteger(*bad));
  CalDavPage->Store(edited);
  state_.Settings = edited;
}

// ---------------------------------------------------------------- the form record

// One field of the record and the control that shows it. Reading copies the
// control's value into the field, writing shows the field in the control.
class TPstInit::Binding {
 public:
  Binding(std::string* field, QLineEdit* edit) : field_(Text{field, edit}) {}
  Binding(bool* field, QCheckBox* box) : field_(Flag{field, box}) {}
  Binding(int* field, std::vector<QRadioButton*> group) : field_(Radio{field, std::move(group)}) {}
  Binding(WinColor* field, TShape* shape) : field_(Fill{field, shape}) {}
  Binding(std::string* field, QComboBox* list) : field_(Choice{field, list}) {}

  void Read() const { std::visit([](const auto& f) { f.Read(); }, field_); }
  void Write() const { std::visit([](const auto& f) { f.Write(); }, field_); }

 private:
  struct Text {
    std::string* field;
    QLineEdit* edit;
    void Read() const { *field = Sjis(edit); }
    void Write() const { SetSjis(edit, *field); }
  };
  struct Flag {
    bool* field;
    QCheckBox* box;
    void Read() const { *field = box->isChecked(); }
    void Write() const { box->setChecked(*field); }
  };
  // A radio group: the number of its checked button, 0 for none.
  struct Radio {
    int* field;
    std::vector<QRadioButton*> group;
    void Read() const { *field = CheckedOf(group); }
    void Write() const { SetChecked(group, *field); }
  };
  struct Fill {
    WinColor* field;
    TShape* shape;
    void Read() const { *field = FromQColor(shape->Fill()); }
    void Write() const { shape->SetFill(*field); }
  };
  // A combo box of fixed items, each holding its stored value. A value
  // that no item holds chooses none and is kept as it is.
  struct Choice {
    std::string* field;
    QComboBox* list;
    void Read() const {
      const int k = list->currentIndex();
      if (k >= 0) *field = ToSjis(list->itemData(k).toString());
      else *field = list->property(kSjisProperty).toByteArray().toStdString();
    }
    void Write() const {
      list->setProperty(kSjisProperty, QByteArray::fromStdString(*field));
      list->setCurrentIndex(list->findData(FromSjis(*field)));
    }
  };
  std::variant<Text, Flag, Radio, Fill, Choice> field_;
};

// Every field of the record with its control, from the table of settings
// (core/settingrows.h): each row names its field and its control's
// objectName. Form and SetForm both walk this list.
std::vector<TPstInit::Binding> TPstInit::Bindings(InitForm& f) const {
  std::vector<Binding> b;
  for (const SettingRow& r : SettingRows()) {
    if (r.rule == FormRule::None) continue;
    const QString name = QString::fromLatin1(r.control);
    if (r.field.text) {
      // A line edit, the edit line of an editable combo box, or a combo
      // box of fixed items.
      auto* edit = findChild<QLineEdit*>(name);
      auto* combo = findChild<QComboBox*>(name);
      if (combo && !combo->isEditable()) {
        b.emplace_back(&r.field.text(f), combo);
        continue;
      }
      if (combo) edit = combo->lineEdit();
      b.emplace_back(&r.field.text(f), edit);
    } else if (r.field.flag) {
      b.emplace_back(&r.field.flag(f), findChild<QCheckBox*>(name));
    } else if (r.field.radio) {
      std::vector<QRadioButton*> group;
      while (auto* button = findChild<QRadioButton*>(name + QString::number(group.size() + 1)))
        group.push_back(button);
      b.emplace_back(&r.field.radio(f), std::move(group));
    } else if (r.field.color) {
      for (const ColorGroupBox& c : Color) {
        if (c.box->objectName() != name) continue;
        ColorChoice& choice = r.field.color(f);
        b.emplace_back(&choice.checked, std::vector<QRadioButton*>(c.radio.begin(), c.radio.end()));
        b.emplace_back(&choice.own, c.swatch[4]);  // swatch 5 shows the own colour
      }
    }
  }
  return b;
}

InitForm TPstInit::Form() const {
  InitForm f;
  for (const Binding& b : Bindings(f)) b.Read();
  return f;
}

void TPstInit::SetForm(const InitForm& form) {
  InitForm f = form;
  for (const Binding& b : Bindings(f)) b.Write();
  // The input-method item in the user's language; OK stores its number.
  for (std::size_t k = 0; k < kImeItems.size(); ++k)
    if (f.CmbIME == kImeItems[k]) CmbIME->setEditText(pinit::ImeItem(k));
}

// ---------------------------------------------------------------- buttons

void TPstInit::BtnOKClick() {
  IniFileInfoSave();
  accept();
}

void TPstInit::BtnCanClick() {
  QDialog::reject();
}

void TPstInit::reject() { BtnCanClick(); }

void TPstInit::BtnFileClick() {
#ifdef Q_OS_WIN
  const QString filter = tr("データ保存ファイル (*.*)");
#else
  const QString filter = tr("データ保存ファイル (*)");
#endif
  if (const std::optional<QString> path = CurrentPickers().OpenFile(this, filter)) {
    if (!FitsSjis(*path)) throw Error(UnstorablePathText(*path));
    EdFileName->setText(*path);
  }
}

void TPstInit::BtnWaveClick() {
#ifdef Q_OS_WIN
  const QString filter = tr("サウンド ファイル (*.WAV)");
#else
  // Names differ by case here: a WAV file may end in .wav as well.
  const QString filter = tr("サウンド ファイル (*.WAV *.wav)");
#endif
  if (const std::optional<QString> path = CurrentPickers().OpenFile(this, filter)) {
    if (!FitsSjis(*path)) throw Error(UnstorablePathText(*path));
    state_.Settings.WaveFileName = ToSjis(*path);
  }
  SetSjis(EdWaveFile, FileNamePart(state_.Settings.WaveFileName));
}

void TPstInit::BtnWaveDefaultClick() {
  state_.Settings.WaveFileName.clear();
  SetSjis(EdWaveFile, {});
}

void TPstInit::BtnWavePlayClick() {
  // A failure is shown at once: the user asked for the sound.
  if (state_.Settings.WaveFileName.empty())
    Player().PlayBuiltIn();
  else
    Player().Play(FromSjis(state_.Settings.WaveFileName));
}

void TPstInit::ImageClick(int k) { SetChecked(RbtnArea, k); }

void TPstInit::SwatchMouseDown(int group, int k) {
  SetChecked(Color[static_cast<std::size_t>(group)].radio, k);
}

void TPstInit::CBClick(int group) {
  ColorGroupBox& c = Color[static_cast<std::size_t>(group)];
  // One colour dialog for the four buttons: it opens on its last choice.
  const QColor initial = lastColor_.value_or(c.swatch[4]->Fill());
  const std::optional<QColor> chosen = CurrentPickers().ChooseColor(this, initial);
  if (!chosen) return;
  lastColor_ = *chosen;
  const WinColor color = FromQColor(*chosen);
  c.swatch[4]->SetFill(color);
  WinColor* own[4] = {&state_.Settings.MFcolor, &state_.Settings.MDcolor, &state_.Settings.MTcolor,
                      &state_.Settings.MAcolor};
  *own[group] = color;
}

void TPstInit::BtnFontClick(int k) {
  QLineEdit* name = k == 1 ? DispFont1 : k == 2 ? DispFont2 : DispFont3;
  QLineEdit* size = k == 1 ? DispSize1 : k == 3 ? DispSize3 : nullptr;
  FontChoice initial{name->text(), 9};
  if (size) initial.points = ParseInt(ToSjis(size->text())).value_or(9);
  const std::optional<FontChoice> chosen = CurrentPickers().ChooseFont(this, initial);
  if (!chosen) return;
  name->setText(chosen->family);
  if (size) size->setText(QString::number(chosen->points));
}

void TPstInit::DispCalnCheckClick() { state_.Settings.Caln = DispCalnCheck->isChecked() ? 1 : 0; }

// ---------------------------------------------------------------- holiday lists

void TPstInit::ShowHolidays(const std::array<int, kHolidayEntries>& list) {
  LbHoliday->clear();
  for (const std::string& item : HolidayItems(list)) LbHoliday->addItem(FromSjis(item));
  BtnCalAdd->setEnabled(true);
  BtnCalDel->setEnabled(true);
}

void TPstInit::RbtnHolyClick() { ShowHolidays(state_.Settings.Holidays); }
void TPstInit::RbtnNHolyClick() { ShowHolidays(state_.Settings.NonHolidays); }

void TPstInit::BtnCalAddClick() {
  if (!RbtnHoly->isChecked() && !RbtnNHoly->isChecked()) return;
  if (EdHoliday->text().isEmpty()) return;
  // The settings keep 40 entries per list: a 41st would push the last one
  // out when the list is stored, so it is refused.
  if (LbHoliday->count() >= kHolidayEntries) {
    Messages().Show(kAppTitle,
                    tr("日付の数が上限の%1件に達しているため、追加できません。\n"
                       "不要な日付を削除してから追加してください。")
                        .arg(kHolidayEntries),
                    BoxIcon::Warning);
    return;
  }
  const QString item = EdHoliday->text().left(4);
  if (!HolidayEntry(ToSjis(item)))
    throw Error(tr("'%1' は日付ではありません。月日を4桁で入力してください (例: 0101)。")
                    .arg(item));
  LbHoliday->insertItem(0, item);
  // Sorted by text from now on; later items find their places themselves.
  LbHoliday->setSortingEnabled(true);
  LbHoliday->sortItems(Qt::AscendingOrder);
  RewriteChosenList();
}

void TPstInit::BtnCalDelClick() {
  if (!RbtnHoly->isChecked() && !RbtnNHoly->isChecked()) return;
  const QList<QListWidgetItem*> selected = LbHoliday->selectedItems();
  if (selected.isEmpty()) return;
  delete selected.first();
  RewriteChosenList();
}

void TPstInit::RewriteChosenList() {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(LbHoliday->count()));
  for (int i = 0; i < LbHoliday->count(); ++i) items.push_back(ToSjis(LbHoliday->item(i)->text()));
  auto& list = RbtnHoly->isChecked() ? state_.Settings.Holidays : state_.Settings.NonHolidays;
  if (const std::optional<std::string> bad = RewriteHolidays(items, list))
    throw Error(NotInteger(*bad));
}

}  // namespace morna::ui
