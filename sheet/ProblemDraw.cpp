#include "sheet/ProblemDraw.h"

namespace divisheet {

std::vector<int> drawPositions(int available, int count, TRandom &rng)
{
    std::vector<int> positions;
    if (count <= 0 || available <= 0)
        return positions;
    positions.reserve(std::size_t(count < available ? count : available));
    for (int left = available; left > 0 && int(positions.size()) < count; --left)
        positions.push_back(int(rng.random(quint32(left))) + 1);
    return positions;
}

} // namespace divisheet
