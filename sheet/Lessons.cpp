#include "sheet/Lessons.h"

namespace divisheet {

namespace {

using Q = QuotientClass;
using D = DivisorClass;
using P = Presence;
using C = CorrectionFocus;

constexpr PracticeFocus dividendDigits(int digits)
{
    PracticeFocus focus;
    focus.dividendDigits = digits;
    return focus;
}

constexpr PracticeFocus corrections(CorrectionFocus corrections)
{
    PracticeFocus focus;
    focus.corrections = corrections;
    return focus;
}

constexpr PracticeFocus mixedRemainders(PracticeFocus focus = {})
{
    focus.mixedRemainder = true;
    return focus;
}

// The classes leave room that the focus narrows: a quotient of 11..99 over 1..9 has two- and
// three-digit dividends, and only the focus keeps the ones the lesson is about. A fixed
// divisor is read by no lesson here; 2 is what the panel starts with.
constexpr Lesson table[] = {
    {u"2けた÷1けた", {Q::Q11_99, D::D1_9, 2, false, dividendDigits(2)}},
    {u"3けた÷1けた", {Q::Q111_999, D::D1_9, 2, false, dividendDigits(3)}},
    {u"商に0がたつ", {Q::Q101_909, D::D1_9, 2, true, mixedRemainders({P::Always})}},
    {u"首位に商がたたない", {Q::Q11_99, D::D1_9, 2, false, {P::Either, P::Always}}},
    {u"何十でわる", {Q::Q1_9, D::D10_90, 2, true, mixedRemainders()}},
    {u"2けたでわる 仮商修正なし", {Q::Q1_9, D::D11_99, 2, true, corrections(C::None)}},
    {u"2けたでわる 仮商修正あり", {Q::Q1_9, D::D11_99, 2, true, corrections(C::One)}},
    {u"3けた÷2けた 商1けた", {Q::Q1_9, D::D11_99, 2, true, dividendDigits(3)}},
    {u"4けた÷2けた", {Q::Q11_99, D::D11_99, 2, false, dividendDigits(4)}},
    {u"3けたでわる", {Q::Q1_9, D::D111_999, 2, true}},
};

} // namespace

std::span<const Lesson> lessons()
{
    return table;
}

} // namespace divisheet
