#pragma once

#include "figures/FigureTypes.h"

#include <QString>

#include <vector>

// The layout of a long-division figure as plain numbers: which digit-frame sub-figures
// it consists of, in which order they are placed, where, and how big the figure is.
// TLongDivision applies it; tests and other code can check it without painting.
namespace divisheet {

// The bounds of one sub-figure, fields in their stored order.
struct FigureBounds
{
    qint32 Height = 0;
    qint32 Width = 0;
    qint32 Top = 0;
    qint32 Left = 0;

    qint32 right() const { return Left + Width; }
    qint32 bottom() const { return Top + Height; }
    friend bool operator==(const FigureBounds &, const FigureBounds &) = default;
};

// One call of the figure's place-one-sub-figure operation, arguments in its order.
struct FigurePlacement
{
    QString name; // without the "FDynFrameFigureInteger" prefix
    int value = 0;
    TTypeSign sign = sNone;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TTypeIntegerShow integerShow = isShow;
    TTypeFrameShow frameShow = fsShow;
};

struct LongDivisionLayout
{
    std::vector<FigurePlacement> placements; // in order of placement = stacking order
    int width = 0;
    int height = 0;
    int workingRows = 0; // one product row and one difference row each

    // The placement named `name`, or nullptr.
    const FigurePlacement *find(const QString &name) const;
};

// The number formed by the first `count` characters of the decimal text of `number`;
// the whole number when it has no more than `count` characters.
qint32 LeadingDigits(qint32 number, qint32 count);

// Lays out dividend ÷ divisor at font size `fontSize`. The dividend must lie in
// 0..99999 and the divisor in 1..99999, as the figure keeps them.
LongDivisionLayout layoutLongDivision(int fontSize, int dividend, int divisor,
                                      TTypeAmariShow amariShow = asShow,
                                      TTypeIntegerShow integerShow = isShow,
                                      TTypeFrameShow frameShow = fsShow);

} // namespace divisheet
