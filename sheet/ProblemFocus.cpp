#include "sheet/ProblemFocus.h"

#include "figures/FrameFigureGeometry.h"
#include "figures/LongDivisionLayout.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace divisheet {

namespace {

// The numbers of the layout do not depend on the size it is drawn at.
constexpr int anyFontSize = 24;

struct Step
{
    qint32 partialDividend;
    int digit;
};

qint32 valueOf(const LongDivisionLayout &layout, const QString &name)
{
    const FigurePlacement *placement = layout.find(name);
    Q_ASSERT(placement);
    return placement->value;
}

qint32 powerOfTen(int exponent)
{
    qint32 power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}

// The steps, one per quotient digit, read off the figure's numbers. The figure has a row
// (a product and a difference) only for each non-zero quotient digit, or for the one digit
// of a quotient 0, and each row's difference already holds every digit brought down up to
// the next row's digit or, in the last row, to the end. A digit without a row divides the
// leading digits of the difference above it; a digit with a row divides its product plus
// its difference with the digits brought down struck off.
std::vector<Step> workingSteps(const LongDivisionLayout &layout)
{
    const QString quotient = QString::number(valueOf(layout, u"Kotae"_s));
    const int n = int(quotient.size());
    std::vector<Step> steps;
    int row = 0;
    int end = 0; // the position of the last digit the current row's difference brought down
    qint32 product = 0;
    qint32 difference = 0;
    for (int at = 0; at < n; ++at) {
        const int digit = quotient.at(at).digitValue();
        const bool hasRow = at == 0 || digit != 0;
        if (hasRow) {
            const QString number = QString::number(++row);
            product = valueOf(layout, u"Kaketa"_s + number);
            difference = valueOf(layout, u"Hiita"_s + number);
            end = at + 1;
            while (end < n && quotient.at(end) == u'0')
                ++end;
            end = std::min(end, n - 1);
        }
        const qint32 broughtDown = difference / powerOfTen(end - at);
        steps.push_back({hasRow ? product + broughtDown : broughtDown, digit});
    }
    Q_ASSERT(row == layout.workingRows);
    return steps;
}

bool meets(Presence presence, bool has)
{
    return presence == Presence::Either || has == (presence == Presence::Always);
}

bool meets(CorrectionFocus focus, const WorkingTags &tags)
{
    switch (focus) {
    case CorrectionFocus::Any: return true;
    case CorrectionFocus::None: return tags.corrections == 0;
    case CorrectionFocus::One: return tags.corrections == 1;
    case CorrectionFocus::TwoOrMore: return tags.corrections >= 2;
    case CorrectionFocus::FromNine: return tags.fromNine;
    }
    return false;
}

// The divisor as the pupil estimates with it: rounded to its highest place, which may give
// a power of ten with one more digit (95 rounds to 100).
qint32 estimatingDivisor(qint32 divisor, Estimate estimate)
{
    const qint32 unit = powerOfTen(decimalLength(divisor) - 1);
    const qint32 halfUp = estimate == Estimate::Round ? unit / 2 : 0;
    return (divisor + halfUp) / unit * unit;
}

} // namespace

WorkingTags workingTags(const Problem &p, Estimate estimate)
{
    const LongDivisionLayout layout = layoutLongDivision(anyFontSize, p.dividend, p.divisor);
    const std::vector<Step> steps = workingSteps(layout);
    const qint32 divisor = valueOf(layout, u"Waru"_s);
    const int divisorDigits = decimalLength(divisor);

    WorkingTags tags;
    tags.dividendDigits = decimalLength(valueOf(layout, u"Warareru"_s));
    // Only a first partial dividend of k + 1 digits can be longer than the divisor.
    tags.lateStart = decimalLength(steps.front().partialDividend) > divisorDigits;
    tags.zeroInQuotient
        = std::any_of(steps.begin() + 1, steps.end(), [](const Step &s) { return s.digit == 0; });
    if (divisorDigits < 2)
        return tags;
    const qint32 rounded = estimatingDivisor(divisor, estimate);
    for (const Step &step : steps) {
        const qint32 estimated = step.partialDividend / rounded;
        tags.fromNine = tags.fromNine || estimated >= 10;
        tags.corrections += std::abs(std::min<qint32>(estimated, 9) - step.digit);
    }
    return tags;
}

bool hasFocus(const WorkingTags &tags, const PracticeFocus &focus)
{
    return meets(focus.zeroInQuotient, tags.zeroInQuotient) && meets(focus.lateStart, tags.lateStart)
        && meets(focus.corrections, tags) && (focus.dividendDigits == 0 || tags.dividendDigits == focus.dividendDigits);
}

bool hasFocus(const Problem &p, const PracticeFocus &focus)
{
    return !focus.picks() || hasFocus(workingTags(p, focus.estimate), focus);
}

} // namespace divisheet
