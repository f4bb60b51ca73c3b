#pragma once

#include <cmath>

namespace divisheet {

// Every size the figures derive from a font size with a fraction is rounded this one
// way: to the nearest integer, halves to the even neighbour (37.5 -> 38, 40.5 -> 40,
// -22.5 -> -22).
inline int nearest(double x)
{
    return static_cast<int>(std::nearbyint(x)); // default FE_TONEAREST is round-half-even
}

} // namespace divisheet
