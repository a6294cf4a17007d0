// Screen rectangles in pixels.
#pragma once

namespace morna {

// The largest window size (either way) that the settings can ask for; a
// larger value is taken as this, so that no setting asks the window system
// for an enormous window.
inline constexpr int kMaxWindowPixels = 8192;
// Screen coordinates from the settings are kept within this distance of the
// origin, far beyond any screen.
inline constexpr int kMaxScreenCoordinate = 100'000;

// left, top, right, bottom; right and bottom are the first pixel outside.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace morna
