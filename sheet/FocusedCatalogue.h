#pragma once

#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "platform/Random.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The problems of settings that carry a practice focus. An enumerated catalogue is filtered
// once and kept, so that sheet after sheet of one setting pays for the filtering once; a random
// catalogue draws and tests, which stays uniform among the problems with the focus and, since
// the lists it draws from hold hundreds of thousands of problems, stays fast for any focus that
// is not refused. Mixed remainders make the catalogue of two parts: the problems without a
// remainder, then those with one.
namespace divisheet {

// Why a focus cannot be had with the settings' classes.
enum class FocusFault {
    None,
    ZeroInOneDigitQuotient, // a quotient of 1..9 has no digit after its first
    CorrectionsOneDigitDivisor, // a one-digit divisor is divided without an estimate
    DividendDigits,         // a dividend has 1 to 5 digits
    MixedWithoutRemainders, // mixing needs problems with a remainder (a fixed divisor 1 has none)
    NoProblem,              // no problem of the classes (of one part, when mixing) has the focus
};

FocusFault focusFault(const ProblemSettings &settings);
// The fault in words, for the command line; empty for none.
QString focusProblem(const ProblemSettings &settings);
// The fault in the window's words, short enough to stand beside a choice; empty for none.
QString focusFaultWords(FocusFault fault);

// The parts the settings' catalogue is made of: the settings themselves, or, for mixed
// remainders, the same classes and focus without a remainder and then with one.
std::vector<ProblemSettings> catalogueParts(const ProblemSettings &settings);

// The problems of an enumerated part that have its focus, in catalogue order.
std::shared_ptr<const std::vector<Problem>> focusedCatalogue(const ProblemSettings &part);

// One problem of a random part with its focus, uniformly among those that have it (so each
// divisor as often as it has such problems, where the unfocused draw takes each divisor
// equally often); none when a focus that rare is not found within many times the draws it
// takes on average.
std::optional<Problem> drawFocusedProblem(const ProblemSettings &part, TRandom &rng);

// The catalogue of settings with a focus, part by part: an enumerated part filtered, a random
// part `randomCount` problems drawn with the focus (at least six, all different when more).
std::vector<Problem> focusedSheetCatalogue(const ProblemSettings &settings, TRandom &rng, int randomCount);
// How many problems that catalogue holds; never fewer.
int focusedSheetCatalogueSize(const ProblemSettings &settings, int randomCount);

// How many different problems of the settings have the focus: exact for an enumerated part,
// estimated from a sample for a random one.
qint64 focusedProblemTotal(const ProblemSettings &settings);

} // namespace divisheet
