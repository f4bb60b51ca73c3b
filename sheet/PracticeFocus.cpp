#include "sheet/PracticeFocus.h"

#include <QStringList>

namespace divisheet {

QString focusWords(const PracticeFocus &focus)
{
    QStringList words;
    if (focus.zeroInQuotient != Presence::Either)
        words << (focus.zeroInQuotient == Presence::Always ? QStringLiteral("商に0") : QStringLiteral("商に0なし"));
    if (focus.lateStart != Presence::Either)
        words << (focus.lateStart == Presence::Always ? QStringLiteral("首位に商がたたない")
                                                      : QStringLiteral("首位に商がたつ"));
    switch (focus.corrections) {
    case CorrectionFocus::Any: break;
    case CorrectionFocus::None: words << QStringLiteral("仮商修正なし"); break;
    case CorrectionFocus::One: words << QStringLiteral("仮商修正1回"); break;
    case CorrectionFocus::TwoOrMore: words << QStringLiteral("仮商修正2回以上"); break;
    case CorrectionFocus::FromNine: words << QStringLiteral("9からたてる"); break;
    }
    // The rounding is named only where corrections are counted with it.
    if (focus.corrections != CorrectionFocus::Any && focus.estimate == Estimate::Floor)
        words << QStringLiteral("切り捨て");
    if (focus.mixedRemainder)
        words << QStringLiteral("あまりまぜる");
    if (focus.dividendDigits != 0)
        words << QStringLiteral("わられる数%1けた").arg(focus.dividendDigits);
    return words.join(QStringLiteral("・"));
}

} // namespace divisheet
