#pragma once

#include <QFont>

namespace brookhum {

// The font of every window: "ＭＳ Ｐゴシック" where it exists, otherwise the
// first installed Japanese Gothic face of a fixed list (Noto Sans CJK JP on
// Debian), `pixelSize` pixels high.
QFont designFont(int pixelSize = 12);

} // namespace brookhum
