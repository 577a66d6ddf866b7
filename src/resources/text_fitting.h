#pragma once

#include <functional>

class QLabel;
class QWidget;

namespace brookhum {

// Measuring a text loads its font, and a Japanese face costs megabytes of
// memory, while a tray player's windows mostly stay hidden. So a control is
// fitted to its text only once its window shows: `fit` runs at once if the
// window is visible, otherwise just before the window next appears. A later
// fit of the same control replaces one still waiting.
void fitWhenShown(QWidget &control, std::function<void()> fit);

// Labels size themselves to their text, as the design's did: when its window
// shows, a label grows to its text, its present size being the least it gets.
void growToTextWhenShown(QLabel &label);

} // namespace brookhum
