#pragma once

#include <QString>

// What a lesson drills beyond the kind of problem: a practice focus picks, among the problems
// of the settings, those whose working has it, so that every problem of a sheet drills it.
// The value stands alone so that the settings can carry it; what it picks is in
// FocusedCatalogue.h, what a working has in ProblemFocus.h.
namespace divisheet {

// How the pupil rounds a divisor of two or more digits to its highest place to estimate a
// quotient digit: half up (四捨五入, 95 becomes 100) or by dropping the lower digits
// (切り捨て, 95 becomes 90).
enum class Estimate { Round, Floor };

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
    // Problems with and without a remainder on one sheet, half each. The settings that carry
    // it ask for a remainder, so that the sheet is laid out for the larger figures.
    bool mixedRemainder = false;
    int dividendDigits = 0; // 1 .. 5; 0 for any

    // Whether it leaves out any problem of the settings' catalogue.
    bool picks() const
    {
        return zeroInQuotient != Presence::Either || lateStart != Presence::Either
            || corrections != CorrectionFocus::Any || dividendDigits != 0;
    }
    // Whether a sheet with it differs from one without.
    bool isSet() const { return picks() || mixedRemainder; }

    friend bool operator==(const PracticeFocus &, const PracticeFocus &) = default;
};

// The focus in the words of the settings line, its choices joined by "・": "商に0・仮商修正1回";
// empty for no focus.
QString focusWords(const PracticeFocus &focus);

} // namespace divisheet
