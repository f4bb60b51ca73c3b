#pragma once

#include <QObject>

// The enumerations shared by the long-division figure, its digit-frame sub-figures and
// the worksheet form. Each is one byte with values from 0 in the order listed; the form
// keeps TTypeIntegerShow and TTypeFrameShow values in its own sheet state.
namespace divisheet {
Q_NAMESPACE

// What the sign column of a digit-frame figure shows.
enum TTypeSign : quint8 {
    sNone,     // a plain number
    sWarareru, // the dividend, under the division bracket
    sAmari,    // the remainder, behind the remainder mark
    sKaketa,   // a partial product, underlined
    sHiita,    // a partial difference, overlined
};
Q_ENUM_NS(TTypeSign)

// Which edge of a digit-frame figure stays in place when its digit count changes.
enum TTypeIntegerLocationStyle : quint8 { ilsLeft, ilsRight };
Q_ENUM_NS(TTypeIntegerLocationStyle)

enum TTypeIntegerShow : quint8 { isShow, isHide };
Q_ENUM_NS(TTypeIntegerShow)

enum TTypeFrameShow : quint8 { fsShow, fsHide };
Q_ENUM_NS(TTypeFrameShow)

// Unlike the two above, the hiding value comes first.
enum TTypeAmariShow : quint8 { asHide, asShow };
Q_ENUM_NS(TTypeAmariShow)

// Line styles of the drawing surface, in the order of their values.
enum TPenStyle : quint8 { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

} // namespace divisheet
