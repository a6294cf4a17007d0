// The registration window's small month grid: the month title (YYMM), its
// up-down stepper (UDyymm), the weekday captions (Week1..Week7) and the 42
// day cells (Day1..Day42). It holds the month it shows as a date; the title
// only shows it. The controls stand at the window's own coordinates: the
// grid's widget covers the window's top-left corner from (0, 0).
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "core/calendar.h"
#include "core/datetime.h"
#include "ui/controls.h"

class QLabel;

namespace morna::ui {

class TMonthGrid : public QWidget {
  Q_OBJECT
 public:
  explicit TMonthGrid(QWidget* parent);

  // The month shown: any moment of it.
  DateTime Month() const { return month_; }
  void SetMonth(DateTime month);
  // The month as the title shows it, "yyyy/mm" (Shift-JIS, as core reads it).
  std::string MonthText() const;

  // Paints the 42 cells as core computed them; a cell as it was filled last
  // is left alone (a post refills the grid with mostly the same cells).
  void Fill(const std::array<DayCell, 42>& cells);
  // The date of a day cell of the month shown, at 09:00; none for a cell of
  // another month.
  std::optional<DateTime> DateOf(const QLabel* cell) const;

  TClickLabel* YYMM = nullptr;
  TUpDown* UDyymm = nullptr;
  std::array<QLabel*, 7> Week{};       // Week1..Week7 (Week[0] is Week1)
  std::array<TClickLabel*, 42> Day{};  // Day1..Day42 (Day[0] is Day1), row by row

 signals:
  void dayPressed(QLabel* cell, Qt::MouseButton button);

 private:
  std::array<DayCell, 42> filled_{};  // as last filled
  bool hasFilled_ = false;
  DateTime month_;
};

}  // namespace morna::ui
