// The Schedule-2 group of the registration window (GroupBox1): the kind of
// recurring entry (weekly, monthly by day, monthly by weekday) and its
// boxes. Each kind enables its own boxes and disables the others.
#pragma once

#include <QGroupBox>

#include "core/schedule2.h"

class QComboBox;
class QRadioButton;

namespace morna::ui {

class TScheduleGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit TScheduleGroup(QWidget* parent);

  // What the group's boxes hold, as core expands it.
  ScheduleEntry Entry() const;
  // The boxes take typed text from the first time the group is shown: an
  // editable box brings an edit line, a completer and its list's popup,
  // which together cost a tenth of the start-up, and most users never open
  // the group.
  void MakeEditable();

  void RbWeeklyClick() { EnableBoxes(true, false, false); }
  void RbMonthly1Click() { EnableBoxes(false, true, false); }
  void RbMonthly2Click() { EnableBoxes(false, false, true); }

  QRadioButton* RbWeekly = nullptr;
  QRadioButton* RbMonthly1 = nullptr;
  QRadioButton* RbMonthly2 = nullptr;
  QComboBox* CbShWeeklyWeek = nullptr;
  QComboBox* CbShWeeklyTime = nullptr;
  QComboBox* CbShMonthlyDay = nullptr;
  QComboBox* CbShMonthlyTime1 = nullptr;
  QComboBox* CbShMonthlyWeekNo = nullptr;
  QComboBox* CbShMonthlyWeek = nullptr;
  QComboBox* CbShMonthlyTime2 = nullptr;

 private:
  void EnableBoxes(bool weekly, bool monthly1, bool monthly2);
};

}  // namespace morna::ui
