#pragma once

#include "sheet/PracticeFocus.h"
#include "sheet/ProblemCatalogue.h"

// What a worked division asks of the pupil beyond its plain steps, read off the working the
// answer sheet prints, so that a practice focus can pick the problems that train one
// difficulty.
//
// A step is one quotient digit: the pupil divides a partial dividend P by the divisor d of
// k digits and writes the digit ⌊P / d⌋ over P's last digit. The first P is the dividend's
// leading k digits, or k + 1 digits when those are smaller than d (the whole dividend when
// it has no more digits than that); each later P is the previous difference with the next
// digit brought down. A digit written as 0 is a step like any other.
namespace divisheet {

struct WorkingTags
{
    // The quotient, written without leading zeros, has a 0 after its first digit: the pupil
    // must write a 0 for a partial dividend smaller than the divisor (642 ÷ 6 = 107).
    bool zeroInQuotient = false;
    // The dividend has more digits than the divisor, and its leading digits, as many as the
    // divisor has, make a smaller number than the divisor, so the first quotient digit
    // stands one place further right (首位に商がたたない: 252 ÷ 6).
    bool lateStart = false;
    // How often the pupil must raise or lower a first estimate (仮商の修正), summed over
    // the steps: a step estimates e = ⌊P / D⌋ with D the divisor rounded to its highest
    // place, writes 9 for an e of 10 or more, and needs |min(e, 9) − ⌊P / d⌋| corrections.
    // Steps that write a 0 count too: a P from D up to d − 1 (22 under 24, rounded to 20,
    // in 2422 ÷ 24 or 22 ÷ 24) suggests 1 where 0 is right. Always 0 for a one-digit
    // divisor, which needs no estimate.
    int corrections = 0;
    // Some step's estimate is 10 or more, so the pupil starts from 9 (205 ÷ 21 with 20).
    bool fromNine = false;
    int dividendDigits = 0;

    friend bool operator==(const WorkingTags &, const WorkingTags &) = default;
};

// The tags of the problem's working as the long-division figure lays it out.
WorkingTags workingTags(const Problem &p, Estimate estimate);

// Whether the problem's working has the focus (its remainder mixing aside, which is a
// matter of the whole sheet).
bool hasFocus(const Problem &p, const PracticeFocus &focus);
// The same for tags already worked out with the focus's estimate.
bool hasFocus(const WorkingTags &tags, const PracticeFocus &focus);

} // namespace divisheet
