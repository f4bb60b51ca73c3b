#include "figures/LongDivisionLayout.h"

#include "figures/FrameFigureGeometry.h"

namespace divisheet {

const FigurePlacement *LongDivisionLayout::find(const QString &name) const
{
    for (const FigurePlacement &placement : placements) {
        if (placement.name == name)
            return &placement;
    }
    return nullptr;
}

qint32 LeadingDigits(qint32 number, qint32 count)
{
    const QString text = QString::number(number);
    if (count >= text.size())
        return number;
    return text.left(count).toInt();
}

namespace {

// The k-th decimal digit of `number`, counted from 1 at the left.
int digitAt(int number, int k)
{
    const QString text = QString::number(number);
    return text.at(k - 1).digitValue();
}

} // namespace

LongDivisionLayout layoutLongDivision(int fontSize, int dividend, int divisor,
                                      TTypeAmariShow amariShow, TTypeIntegerShow integerShow,
                                      TTypeFrameShow frameShow)
{
    const int F = fontSize;
    const int h = frameFigureHeight(F);
    const int quotient = dividend / divisor;
    const int remainder = dividend % divisor;
    const int nW = decimalLength(divisor);
    const int nD = decimalLength(dividend);
    const int nQ = decimalLength(quotient);
    const int nR = decimalLength(remainder);

    LongDivisionLayout layout;
    auto place = [&](const QString &name, int value, TTypeSign sign, const FigureBounds &bounds,
                     TTypeIntegerShow shown, TTypeFrameShow framed) {
        layout.placements.push_back(
            {name, value, sign, bounds.Left, bounds.Top, bounds.Width, bounds.Height, shown, framed});
    };

    const FigureBounds waru{h, nW * F, h - 2, 0};
    const FigureBounds warareru{h, nD * F + 2 * F + 1, h - 2, waru.Width};
    const FigureBounds kotae{h, nQ * F, 0, warareru.Left + warareru.Width - nQ * F - F - 1};
    const FigureBounds amari{h, nR * F + F, 0, kotae.right()};

    place(QStringLiteral("Waru"), divisor, sNone, waru, isShow, frameShow);
    place(QStringLiteral("Kotae"), quotient, sNone, kotae, integerShow, frameShow);
    if (amariShow == asShow && remainder != 0) {
        place(QStringLiteral("Amari"), remainder, sAmari, amari, integerShow, frameShow);
        layout.width = amari.right() + 1;
    } else {
        layout.width = warareru.right();
    }
    place(QStringLiteral("Warareru"), dividend, sWarareru, warareru, isShow, frameShow);

    // Positions (from 1 at the left) of the quotient's non-zero digits; a quotient of 0
    // still gets one working row, for its single digit.
    std::vector<int> rows;
    for (int k = 1; k <= nQ; ++k) {
        if (digitAt(quotient, k) != 0)
            rows.push_back(k);
    }
    if (rows.empty())
        rows.push_back(1);
    const int m = static_cast<int>(rows.size());
    layout.workingRows = m;

    FigureBounds lineAbove = warareru; // the figure whose bottom rule the next row hangs from
    for (int j = 0; j < m; ++j) {
        const int k = rows[j];
        const bool last = j == m - 1;
        const int broughtDown = last ? nQ - k : rows[j + 1] - k;
        const QString row = QString::number(j + 1);

        const int product = digitAt(quotient, k) * divisor;
        FigureBounds kaketa;
        kaketa.Height = h;
        kaketa.Width = decimalLength(product) * F;
        kaketa.Top = lineAbove.bottom() - 2;
        // The product's right edge is the left edge of its quotient digit: the figure's
        // empty right column then puts the product's units digit under that digit.
        kaketa.Left = kotae.Left + (k - 1) * F - kaketa.Width;
        place(QStringLiteral("Kaketa") + row, product, sKaketa, kaketa, integerShow, frameShow);

        int difference;
        if (last) {
            difference = LeadingDigits(dividend, nD) % divisor;
        } else {
            const int p = nD - nQ + rows[j + 1];
            difference = (LeadingDigits(dividend, p - 1) % divisor) * 10 + digitAt(dividend, p);
        }
        FigureBounds hiita;
        hiita.Height = h;
        hiita.Width = decimalLength(difference) * F;
        hiita.Top = kaketa.bottom() - 2;
        hiita.Left = kaketa.right() + broughtDown * F - hiita.Width;

        if (broughtDown >= 3) {
            // A hidden figure whose only mark is its top rule bridges the gap between the
            // product's underline and the short rule over a difference that lost its
            // leading zeros.
            const FigureBounds dummy{h, hiita.Width + F, hiita.Top, hiita.Left - (broughtDown - 2) * F};
            place(QStringLiteral("Dummy"), 11, sHiita, dummy, isHide, fsHide);
        }
        place(QStringLiteral("Hiita") + row, difference, sHiita, hiita, integerShow, frameShow);
        lineAbove = hiita;
    }
    layout.height = lineAbove.bottom();
    return layout;
}

} // namespace divisheet
