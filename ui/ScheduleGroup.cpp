#include "ui/ScheduleGroup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/codec.h"
#include "ui/controls.h"
#include "ui/errors.h"
#include "ui/look.h"

namespace morna::ui {

TScheduleGroup::TScheduleGroup(QWidget* parent) : QGroupBox(QStringLiteral(" Schedule-2"), parent) {
  Place(this, QStringLiteral("GroupBox1"), 3, 125, 317, 100);
  setFont(LookFont("Arial", 13, true));
  SetTextColor(this, ToQColor(kNavy));

  RbWeekly = Place(new QRadioButton("Weekly", this), "RbWeekly", 10, 23, 80, 17);
  RbMonthly1 = Place(new QRadioButton("Monthly-1", this), "RbMonthly1", 10, 48, 80, 17);
  RbMonthly2 = Place(new QRadioButton("Monthly-2", this), "RbMonthly2", 10, 73, 80, 17);
  for (QRadioButton* b : {RbWeekly, RbMonthly1, RbMonthly2}) {
    b->setFont(LookFont("Arial", 13, true));
    SetTextColor(b, ToQColor(kNavy));
  }
  RbWeekly->setChecked(true);

  const QString pGothic = QStringLiteral("ＭＳ Ｐゴシック");
  const QString gothic = QStringLiteral("ＭＳ ゴシック");
  auto combo = [this](const char* name, int left, int top, int width, const QStringList& items,
                      const QString& family, bool enabled) {
    QComboBox* c = Place(new QComboBox(this), name, left, top, width, 20);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(0);
    SetFontWhenShown(c, LookFont(family, 12, true));
    SetTextColor(c, Qt::black);
    c->setEnabled(enabled);
    return c;
  };
  CbShWeeklyWeek = combo("CbShWeeklyWeek", 145, 20, 90, WeekdayItems(), pGothic, true);
  CbShWeeklyTime = combo("CbShWeeklyTime", 245, 20, 60, HalfHourItems(), pGothic, true);
  CbShMonthlyDay = combo("CbShMonthlyDay", 100, 45, 35, NumberItems(1, 31), gothic, false);
  CbShMonthlyTime1 = combo("CbShMonthlyTime1", 245, 45, 60, HalfHourItems(), pGothic, false);
  CbShMonthlyWeekNo = combo("CbShMonthlyWeekNo", 100, 70, 35, NumberItems(1, 5), gothic, false);
  CbShMonthlyWeek = combo("CbShMonthlyWeek", 145, 70, 90, WeekdayItems(), pGothic, false);
  CbShMonthlyTime2 = combo("CbShMonthlyTime2", 245, 70, 60, HalfHourItems(), pGothic, false);

  ConnectGuarded(RbWeekly, &QRadioButton::clicked, this, &TScheduleGroup::RbWeeklyClick);
  ConnectGuarded(RbMonthly1, &QRadioButton::clicked, this, &TScheduleGroup::RbMonthly1Click);
  ConnectGuarded(RbMonthly2, &QRadioButton::clicked, this, &TScheduleGroup::RbMonthly2Click);
}

ScheduleEntry TScheduleGroup::Entry() const {
  ScheduleEntry e;
  e.Kind = RbWeekly->isChecked()     ? ScheduleKind::Weekly
           : RbMonthly1->isChecked() ? ScheduleKind::Monthly1
                                     : ScheduleKind::Monthly2;
  e.CbShWeeklyWeek = ToSjis(CbShWeeklyWeek->currentText());
  e.CbShWeeklyTime = ToSjis(CbShWeeklyTime->currentText());
  e.CbShMonthlyDay = ToSjis(CbShMonthlyDay->currentText());
  e.CbShMonthlyTime1 = ToSjis(CbShMonthlyTime1->currentText());
  e.CbShMonthlyWeekNo = ToSjis(CbShMonthlyWeekNo->currentText());
  e.CbShMonthlyWeek = ToSjis(CbShMonthlyWeek->currentText());
  e.CbShMonthlyTime2 = ToSjis(CbShMonthlyTime2->currentText());
  return e;
}

void TScheduleGroup::MakeEditable() {
  for (QComboBox* c : {CbShWeeklyWeek, CbShWeeklyTime, CbShMonthlyDay, CbShMonthlyTime1,
                       CbShMonthlyWeekNo, CbShMonthlyWeek, CbShMonthlyTime2}) {
    if (c->isEditable()) continue;
    c->setEditable(true);
    c->lineEdit()->setAccessibleName(c->accessibleName());  // it speaks for the box
  }
}

void TScheduleGroup::EnableBoxes(bool weekly, bool monthly1, bool monthly2) {
  CbShWeeklyWeek->setEnabled(weekly);
  CbShWeeklyTime->setEnabled(weekly);
  CbShMonthlyDay->setEnabled(monthly1);
  CbShMonthlyTime1->setEnabled(monthly1);
  CbShMonthlyWeekNo->setEnabled(monthly2);
  CbShMonthlyWeek->setEnabled(monthly2);
  CbShMonthlyTime2->setEnabled(monthly2);
}

}  // namespace morna::ui
