#include "app/ProblemClasses.h"

using namespace Qt::StringLiterals;

namespace divisheet {

bool isAllowedCombination(QuotientClass quotient, DivisorClass divisor)
{
    // Three divisor bands: fixed and up to two digits combine with everything; the
    // three-digit classes need a quotient of at most two digits; the four-digit class
    // only takes one-digit quotients, so no dividend exceeds five digits.
    switch (divisor) {
    case DivisorClass::Fixed:
    case DivisorClass::D1_9:
    case DivisorClass::D10_90:
    case DivisorClass::D11_99:
        return true;
    case DivisorClass::D100_900:
    case DivisorClass::D101_909:
    case DivisorClass::D110_990:
    case DivisorClass::D111_999:
        return quotient == QuotientClass::Q1_9 || quotient == QuotientClass::Q10_90
            || quotient == QuotientClass::Q11_99;
    case DivisorClass::D1000_9999:
        return quotient == QuotientClass::Q1_9;
    }
    return false;
}

QString quotientCaption(QuotientClass quotient)
{
    switch (quotient) {
    case QuotientClass::Q1_9: return u"1..9"_s;
    case QuotientClass::Q10_90: return u"10..90"_s;
    case QuotientClass::Q11_99: return u"11..99"_s;
    case QuotientClass::Q100_900: return u"100..900"_s;
    case QuotientClass::Q101_909: return u"101..909"_s;
    case QuotientClass::Q110_990: return u"110..990"_s;
    case QuotientClass::Q111_999: return u"111..999"_s;
    }
    return QString();
}

QString divisorCaption(DivisorClass divisor, int fixedDivisor)
{
    switch (divisor) {
    case DivisorClass::Fixed: return QString::number(fixedDivisor) + u"で固定"_s;
    case DivisorClass::D1_9: return u"1..9"_s;
    case DivisorClass::D10_90: return u"10..90"_s;
    case DivisorClass::D11_99: return u"11..99"_s;
    case DivisorClass::D100_900: return u"100..900"_s;
    case DivisorClass::D101_909: return u"101..909"_s;
    case DivisorClass::D110_990: return u"110..990"_s;
    case DivisorClass::D111_999: return u"111..999"_s;
    case DivisorClass::D1000_9999: return u"1000..9000"_s; // the title line's text, by design
    }
    return QString();
}

} // namespace divisheet
