// The program's icon, a note with a bell, painted by code. The program shows
// it from pixels painted at build time (AppIconBuilt): painting the five
// sizes was a measurable part of start-up.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <cstdint>

namespace morna::ui {

// The picture at one size.
QPixmap AppIconPixmap(int size);
// Paints the picture into a 32 x 32 box (at any scale, or as a vector drawing).
void PaintAppIcon(QPainter& p);

// The sizes the program's icon carries, and their pixels as painted at build
// time: premultiplied ARGB32, row by row (written by morna_icon_pixels).
inline constexpr int kAppIconCount = 5;
inline constexpr int kAppIconSizes[kAppIconCount] = {16, 24, 32, 48, 64};
extern const std::uint32_t* const kAppIconBuilt[kAppIconCount];

}  // namespace morna::ui
