#include "ui/MonthGrid.h"

#include "core/entry.h"
#include "core/palette.h"
#include "ui/access.h"
#include "ui/codec.h"
#include "ui/language.h"
#include "ui/look.h"

namespace morna::ui {

namespace {

// Columns, Sunday first.
constexpr std::array<int, 7> kGridLefts = {5, 21, 38, 55, 72, 89, 105};

}  // namespace

TMonthGrid::TMonthGrid(QWidget* parent) : QWidget(parent), month_(MakeDateTime(1997, 2, 1)) {
  setObjectName("MonthGrid");
  setGeometry(0, 0, 121, 35 + 14 * 6);

  YYMM = Place(new TClickLabel("1997/02", this), "YYMM", 5, 0, 101, 20);
  YYMM->setAlignment(Qt::AlignCenter);
  YYMM->setFont(LookFont("Arial", 16, true));
  SetTextColor(YYMM, Qt::white);
  SetBackColor(YYMM, ToQColor(kNavy));

  UDyymm = Place(new TUpDown(-2, 11, this), "UDyymm", 106, 0, 15, 20);

  static const char* const kWeekCaptions[7] = {"S", "M", "T", "W", "T", "F", "S"};
  for (int i = 0; i < 7; ++i) {
    QLabel* w = Place(new QLabel(kWeekCaptions[i], this), QStringLiteral("Week%1").arg(i + 1),
                      kGridLefts[i], 20, 16, 15);
    w->setAlignment(Qt::AlignCenter);
    w->setFont(LookFont("Times New Roman", 15, true));
    SetTextColor(w, ToQColor(i == 0 ? kRed : kBlack));
    Week[i] = w;
  }
  for (int k = 0; k < 42; ++k) {
    TClickLabel* d = Place(new TClickLabel(this), QStringLiteral("Day%1").arg(k + 1),
                           kGridLefts[k % 7], 35 + 14 * (k / 7), 16, 14);
    d->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    d->setFont(LookFont("Times New Roman", 15, true));
    d->setProperty("Tag", k + 1);
    // Its colours come with the first Fill, before the grid is shown.
    Day[k] = d;
    connect(d, &TClickLabel::mouseDown, this,
            [this, d](Qt::MouseButton button) { emit dayPressed(d, button); });
  }
}

void TMonthGrid::SetMonth(DateTime month) {
  month_ = month;
  YYMM->setText(FromSjis(FormatYM(month)));
}

std::string TMonthGrid::MonthText() const { return FormatYM(month_); }

void TMonthGrid::Fill(const std::array<DayCell, 42>& cells) {
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (hasFilled_ && cells[k] == filled_[k]) continue;
    const QString caption = FromSjis(cells[k].caption);
    if (Day[k]->text() != caption) Day[k]->setText(caption);
    SetTextColor(Day[k], ToQColor(cells[k].fontColor));
    SetBackColor(Day[k], ToQColor(cells[k].background));
    Day[k]->setToolTip(CoreText("Holidays", cells[k].holidayName));  // empty clears it
    Rename(Day[k], DayName(cells[k].speech, cells[k].caption.empty()));
  }
  filled_ = cells;
  hasFilled_ = true;
}

std::optional<DateTime> TMonthGrid::DateOf(const QLabel* cell) const {
  if (!cell || cell->text().isEmpty()) return std::nullopt;  // a day of another month
  return DayCellDate(MonthText(), ToSjis(cell->text()));
}

}  // namespace morna::ui
