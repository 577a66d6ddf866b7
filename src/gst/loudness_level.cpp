#include "gst/loudness_level.h"

#include <algorithm>

namespace brookhum {

double levelGainDb(const Loudness &loudness)
{
    constexpr double MostLift = 20.0, MostCut = -20.0, Headroom = -1.0;
    const double gain = std::clamp(LevelledLufs - loudness.integratedLufs, MostCut, MostLift);
    return std::min(gain, Headroom - loudness.peakDb);
}

} // namespace brookhum
