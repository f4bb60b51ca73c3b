#pragma once

#include "platform/Random.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace divisheet {

// The sheet's draw out of a catalogue of `available` problems: for k = 1 .. count the
// 1-based position j = random(M) + 1 in the catalogue as it shrinks, M being available,
// then available - 1, and so on. Each position refers to the catalogue after the earlier
// draws were taken out, so every problem left is equally likely at every step and no
// problem is drawn twice. Stops early when nothing is left, so the result may be shorter
// than count; count <= 0 gives nothing. The caller seeds rng.
std::vector<int> drawPositions(int available, int count, TRandom &rng);

// Applies a draw to a catalogue held in a vector: takes out the problem at each position in
// turn (the rest keep their order) and returns them in the order drawn. A position outside
// the catalogue as it is at that step ends the draw.
template<typename T>
std::vector<T> takeDrawn(std::vector<T> &catalogue, const std::vector<int> &positions)
{
    std::vector<T> drawn;
    drawn.reserve(positions.size());
    for (const int j : positions) {
        if (j < 1 || std::size_t(j) > catalogue.size())
            break;
        const auto at = catalogue.begin() + (j - 1);
        drawn.push_back(std::move(*at));
        catalogue.erase(at);
    }
    return drawn;
}

} // namespace divisheet
