#pragma once
// The wizard window's layout, for both windows (Qt and Win32): four frames
// stacked in the client area, each with its command button on the left and
// a label or text box on the right. Positions and sizes are in twips (1/1440
// inch); a window scales them by its screen's dots per inch.
#include <array>

namespace vantrel::wizard::layout {

struct TwipRect {
  int left, top, width, height;
};

inline constexpr int kClientWidth = 7815;
inline constexpr int kClientHeight = 3735;
// Frames top to bottom: library, server, include file, rewrite.
inline constexpr std::array<TwipRect, 4> kFrames = {
    {{0, 0, 7815, 975}, {0, 1080, 7815, 735}, {0, 1920, 7815, 735}, {0, 2760, 7815, 975}}};
// Inside a frame.
inline constexpr TwipRect kCommand = {120, 240, 2535, 375};
inline constexpr TwipRect kLabel = {2760, 240, 4935, 615};
inline constexpr TwipRect kTextBox = {2760, 240, 4935, 270};
inline constexpr int kFontPoints = 9;

// Twips to pixels at `dpi`, rounded to the nearest pixel.
constexpr int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

}  // namespace vantrel::wizard::layout
