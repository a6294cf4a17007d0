// Screen rectangles in pixels.
#pragma once

namespace morna {

// left, top, right, bottom; right and bottom are the first pixel outside.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace morna
