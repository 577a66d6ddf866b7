#pragma once

#include <array>

namespace brookhum {

// The six toggle pictures of the select-play bar: for file repetition,
// directory repetition and the one-time stop, the picture shown while the
// check mark is set and while it is not. Users may replace them by files of
// these names beside the executable.
struct TogglePictureNames {
    const char16_t *checked;
    const char16_t *unchecked;
};

inline constexpr std::array<TogglePictureNames, 3> TogglePictures{{
    {u"Repeat.bmp", u"No_Repeat.bmp"},
    {u"DirRepeat.bmp", u"No_DirRepeat.bmp"},
    {u"Temporary_stop.bmp", u"No_Temporary_stop.bmp"},
}};

} // namespace brookhum
