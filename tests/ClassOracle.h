#pragma once

// Which numbers belong to the quotient and divisor classes and which classes go together, read
// off the decimal digits of the numbers as the class names spell them, for the tests to check
// catalogues and sheets against without asking the code that builds them.

#include "sheet/SheetMaker.h"

#include <QStringList>

namespace divisheet::test {

// A class name spells the smallest and the largest member ("101..909"): a member has as many
// digits, each from the smallest's digit in its place to the largest's.
inline bool inClass(const QString &name, int n)
{
    const QStringList ends = name.split(QStringLiteral(".."));
    const QString digits = QString::number(n);
    if (n <= 0 || ends.size() != 2 || ends[0].size() != digits.size() || ends[1].size() != digits.size())
        return false;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits[i] < ends[0][i] || digits[i] > ends[1][i])
            return false;
    }
    return true;
}

inline QString nameOf(QuotientClass q)
{
    return quotientClassName(q);
}

// A fixed divisor is one of 1..9.
inline QString nameOf(DivisorClass d)
{
    return d == DivisorClass::Fixed ? QStringLiteral("1..9") : divisorClassName(d, 0);
}

template<typename Class>
bool inClass(Class c, int n)
{
    return inClass(nameOf(c), n);
}

// Two classes go together when every dividend, quotient times divisor, fits the five digits the
// figures hold: the two classes' digits add up to at most five.
inline bool offered(QuotientClass q, DivisorClass d)
{
    return nameOf(q).indexOf(u'.') + nameOf(d).indexOf(u'.') <= 5;
}

// The quotients and divisors a setting's problems may have: the members of its classes, with
// every exception of the enumerated catalogues (a random catalogue draws from the classes).
inline bool quotientBelongs(const ProblemSettings &s, int q)
{
    using D = DivisorClass;
    if (s.quotient == QuotientClass::Q1_9) // 0 too, but against 11..99 without a remainder
        return (q == 0 && !(s.divisor == D::D11_99 && !s.withRemainder)) || inClass(s.quotient, q);
    if (s.quotient == QuotientClass::Q110_990 && s.divisor == D::Fixed && s.withRemainder)
        return q >= 100 && q <= 990 && q % 10 == 0;
    return inClass(s.quotient, q);
}

inline bool divisorBelongs(const ProblemSettings &s, int d)
{
    using Q = QuotientClass;
    switch (s.divisor) {
    case DivisorClass::Fixed:
        return d == s.fixedDivisor;
    case DivisorClass::D1_9: // 1 leaves no remainder and is not used against 10..90
        return d >= (s.quotient == Q::Q10_90 || s.withRemainder ? 2 : 1) && d <= 9;
    case DivisorClass::D11_99: // every two-digit divisor against 110..990 without a remainder
        return (s.quotient == Q::Q110_990 && !s.withRemainder) ? d >= 10 && d <= 99 : inClass(s.divisor, d);
    case DivisorClass::D110_990: // 110 is left out against 11..99 without a remainder
        return inClass(s.divisor, d) && !(s.quotient == Q::Q11_99 && !s.withRemainder && d == 110);
    default:
        return inClass(s.divisor, d);
    }
}

} // namespace divisheet::test
