#pragma once

#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemClasses.h"
#include "sheet/ProblemFocus.h"

#include <QString>

#include <vector>

// What a lesson drills beyond the kind of problem: a practice focus picks, among the problems
// of the settings, those whose working has it, so that every problem of a sheet drills it.
namespace divisheet {

// A property of the working: on some problems or others, on every problem, on none.
enum class Presence { Either, Always, Never };

// How often the estimated digit must be corrected: any number of times, never, once, twice or
// more; or the estimate of some step is 10 or more, so the pupil starts from 9.
enum class CorrectionFocus { Any, None, One, TwoOrMore, FromNine };

struct PracticeFocus
{
    Presence zeroInQuotient = Presence::Either;
    Presence lateStart = Presence::Either;
    CorrectionFocus corrections = CorrectionFocus::Any;
    Estimate estimate = Estimate::Round; // how the pupil rounds the divisor to estimate
    int dividendDigits = 0;              // 1 .. 5; 0 for any

    // Whether it leaves out any problem at all.
    bool picks() const;
    // Whether the problem's working has the focus.
    bool accepts(const Problem &problem) const;

    friend bool operator==(const PracticeFocus &, const PracticeFocus &) = default;
};

// Empty where a sheet of the settings can have the focus; otherwise why not, naming the choice
// at fault: a 0 in a one-digit quotient, corrections with a one-digit divisor, a dividend of
// more than five digits, or, for an enumerated catalogue, a focus that none of its problems has.
QString focusProblem(const ProblemSettings &settings, const PracticeFocus &focus);

// The problems of an enumerated catalogue whose working has the focus, in catalogue order.
std::vector<Problem> focusedCatalogue(const ProblemSettings &settings, const PracticeFocus &focus);

} // namespace divisheet
