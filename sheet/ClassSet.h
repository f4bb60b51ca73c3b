#pragma once

#include "sheet/PageOptions.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"

#include <QtGlobal>

#include <vector>

namespace divisheet {

// The largest class set: sheets are numbered 1 .. maxClassSetSize.
inline constexpr int maxClassSetSize = 100;

// A class set: sheets 1, 2, ... of one setting, all from one generator seeded once with the
// set's seed. Sheet k depends only on the settings, the seed and k (never on the size of the
// set), so it can be made again from those three alone by replaying sheets 1 .. k.
//
// Enumerated catalogues: every sheet draws from what the earlier sheets left of the
// catalogue, so no problem comes twice until the catalogue is used up; a sheet that needs
// more than is left takes the rest, then draws the remainder from the whole catalogue less
// the problems already on it, and is shuffled, so repeats stay as few as they can be.
// Random catalogues (six problems drawn at random, or as many as a fuller page holds): each
// sheet gets a fresh catalogue from the continuing generator; a problem already used in the
// set is drawn again.
// A sheet that equals an earlier one problem for problem is drawn again.
// The first `count` sheets (count is clamped to 0 .. maxClassSetSize).
// The page's options decide how many problems each sheet holds.
std::vector<std::vector<Problem>> classSetSheets(const ProblemSettings &settings, quint32 setSeed,
                                                 int count, const PageOptions &page = {});

// Sheet k (1-based) of the set; empty for k outside 1 .. maxClassSetSize.
std::vector<Problem> classSetSheet(const ProblemSettings &settings, quint32 setSeed, int k,
                                   const PageOptions &page = {});

} // namespace divisheet
