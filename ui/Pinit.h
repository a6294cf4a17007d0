// The settings dialog: the product and version, a few lines of system
// information, and five tabs that edit the settings. The controls are read
// from the settings when the dialog is shown and stored back only on OK;
// the alarm sound, the own colours, the calendar-only switch and the
// holiday lists change the settings at once and stay changed after Cancel.
//
// Handlers are plain methods that may throw (ui::Error); the connections
// run them inside Guard(), so an error is shown and the dialog stays open.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "core/initform.h"
#include "ui/appstate.h"
#include "ui/controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace morna::ui {

class AlarmPlayer;
class TCalDavPage;

class TPstInit : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 427;
  static constexpr int kClientHeight = 293;

  explicit TPstInit(AppState& state, QWidget* parent = nullptr);

  // The player that BtnWavePlay sounds through; without one it does nothing.

  // Centres the dialog, fills the controls and the system information.
  // Runs when the dialog is shown.
  void FormShow();
  // Controls from the settings.
  void IniFileInfoSet();
  // Settings from the controls. A field that is not an integer stops it
  // with an error, and then nothing of the form is kept: the settings are
  // only replaced once every field has been read.
  void IniFileInfoSave();

  void BtnOKClick();
  void BtnCanClick();
  void BtnFileClick();
  void BtnWaveClick();
  void BtnWaveDefaultClick();  // back to the built-in chime
  void BtnWavePlayClick();     // plays the alarm sound as it is now chosen
  void ImageClick(int k);                   // Image1Click .. Image4Click
  void SwatchMouseDown(int group, int k);   // SEcolor1MouseDown .. SDcolor5MouseDown
  void CBClick(int group);                  // CB1Click .. CB4Click
  void RbtnHolyClick();
  void RbtnNHolyClick();
  void BtnCalAddClick();
  void BtnCalDelClick();
  void BtnFontClick(int k);                 // BtnFont1Click .. BtnFont3Click
  void DispCalnCheckClick();

  // System-information line i (0..3): a line longer than its label ends in
  // an ellipsis and shows the whole text as its tooltip. InfoLine gives the
  // whole text back.
  void SetInfoLine(int i, const QString& text);
  QString InfoLine(int i) const;

  // What the controls show, and setting them all at once. Both walk the
  // table of settings (core/settingrows.h), whose rows name their record
  // field and control (Bindings).
  InitForm Form() const;
  void SetForm(const InitForm& form);

  struct ColorGroupBox {
    QGroupBox* box = nullptr;
    std::array<TShape*, 5> swatch{};
    std::array<QRadioButton*, 5> radio{};
    QPushButton* button = nullptr;
  };

  // --- controls (objectName = the member's name; arrays count from 1)
  QLabel* LblTitle = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCan = nullptr;
  QTabWidget* PageControl1 = nullptr;
  // Version
  QLabel* Image5 = nullptr;
  QLabel* ProgTitle = nullptr;
  QLabel* LblVersion1 = nullptr;
  QLabel* LblVersion2 = nullptr;
  std::array<QLabel*, 4> SinfoData{};
  // Data
  QLineEdit* EdFileName = nullptr;
  QPushButton* BtnFile = nullptr;
  QComboBox* EdData = nullptr;
  QComboBox* EdSched = nullptr;
  std::array<QRadioButton*, 4> RbtnArea{};
  std::array<TClickLabel*, 4> Image{};  // Image1 .. Image4
  std::array<QRadioButton*, 2> RbtnPast{};
  std::array<QRadioButton*, 3> RbtnSize{};
  QCheckBox* DspDataAll = nullptr;
  QComboBox* EdDays = nullptr;
  QComboBox* CmbIME = nullptr;
  QComboBox* CmbLanguage = nullptr;
  QCheckBox* CbDataWidth = nullptr;
  QComboBox* CbDtWidth = nullptr;
  QCheckBox* Beepon = nullptr;
  QLineEdit* EdWaveFile = nullptr;  // empty: the built-in chime (shown as a hint)
  QPushButton* BtnWaveDefault = nullptr;
  QPushButton* BtnWavePlay = nullptr;
  QPushButton* BtnWave = nullptr;
  // Calendar
  std::array<QCheckBox*, 8> Week{};
  QRadioButton* RbtnHoly = nullptr;
  QRadioButton* RbtnNHoly = nullptr;
  QListWidget* LbHoliday = nullptr;
  QLineEdit* EdHoliday = nullptr;
  QPushButton* BtnCalAdd = nullptr;
  QPushButton* BtnCalDel = nullptr;
  QCheckBox* CbNational = nullptr;
  QCheckBox* CbCalHeight = nullptr;
  QComboBox* CalHeightN = nullptr;
  QCheckBox* CbCalWidth = nullptr;
  QComboBox* CalWidthN = nullptr;
  // Color
  std::array<ColorGroupBox, 4> Color{};  // GbColor1 .. GbColor4
  QComboBox* ChangeMin = nullptr;
  QCheckBox* CbReadable = nullptr;  // texts darkened to the readable contrast
  // Display
  QCheckBox* DispCalnCheck = nullptr;
  QCheckBox* DispAreaCheck = nullptr;
  std::array<QLineEdit*, 4> DispEd{};
  QLineEdit* DispFont1 = nullptr;
  QLineEdit* DispSize1 = nullptr;
  QLineEdit* DispFont2 = nullptr;
  QLineEdit* DispFont3 = nullptr;
  QLineEdit* DispSize3 = nullptr;
  std::array<QPushButton*, 3> BtnFont{};
  // Alarm
  QCheckBox* CbDaily = nullptr;
  QComboBox* CbALDailyTime = nullptr;
  QCheckBox* CbWeekly = nullptr;
  QComboBox* CbAlWeeklyWeek = nullptr;
  QComboBox* CbAlWeeklyTime = nullptr;
  QCheckBox* CbMonthly1 = nullptr;
  QComboBox* CbAlMonthlyDay = nullptr;
  QComboBox* CbAlMonthlyTime1 = nullptr;
  QCheckBox* CbMonthly2 = nullptr;
  QComboBox* CbAlMonthlyWeekNo = nullptr;
  QComboBox* CbAlMonthlyWeek = nullptr;
  QComboBox* CbAlMonthlyTime2 = nullptr;
  QCheckBox* CbCntDown = nullptr;
  QComboBox* CbDay = nullptr;
  QCheckBox* CbNotify = nullptr;
  // Calendar server
  TCalDavPage* CalDavPage = nullptr;

 public slots:
  // Escape and a close request are Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildVersionTab(QWidget* page);
  void BuildDataTab(QWidget* page);
  void BuildCalendarTab(QWidget* page);
  void BuildColorTab(QWidget* page);
  void BuildDisplayTab(QWidget* page);
  void BuildAlarmTab(QWidget* page);
  void Connect();
  void ShowHolidays(const std::array<int, kHolidayEntries>& list);
  void RewriteChosenList();
  class Binding;
  // The table of every field of `f` with its control.
  std::vector<Binding> Bindings(InitForm& f) const;

  AppState& state_;
  std::optional<QColor> lastColor_;  // the colour dialog's last choice in this opening
};

}  // namespace morna::ui
