#include "figures/LongDivision.h"

#include "figures/FrameFigureGeometry.h"
#include "platform/Fonts.h"

#include <QPainter>

#include <algorithm>
#include <map>
#include <utility>

using namespace divisheet;

namespace {

Qt::PenStyle qtPenStyle(TPenStyle style)
{
    switch (style) {
    case psSolid:
    case psInsideFrame:
        return Qt::SolidLine;
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// QPainter's aliased outlines cover both edges of a QRect(x, y, w, h); the figure's
// rectangles and ellipses leave out their right column and bottom row.
QRect outlineRect(const FigureRect &r)
{
    return {r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1};
}

// A horizontal line that leaves out its end point, as every line of the figure does.
void drawRule(QPainter &painter, const FigureLine &line)
{
    if (line.x2 > line.x1)
        painter.drawLine(line.x1, line.y1, line.x2 - 1, line.y2);
}

} // namespace

// --- TFrameFigureInteger -------------------------------------------------------------

TFrameFigureInteger::TFrameFigureInteger(QWidget *owner) : TGraphicControl(owner)
{
    m_valueInteger = 54321;
    splitDigits();
    m_previousDigits = m_valueIntegerDigits;
    resize(frameFigureWidth(m_fontSize, m_valueIntegerDigits, sNone), frameFigureHeight(m_fontSize));
}

void TFrameFigureInteger::splitDigits()
{
    int rest = m_valueInteger;
    for (int k = 5; k >= 1; --k) {
        int unit = 1;
        for (int i = 1; i < k; ++i)
            unit *= 10;
        m_digits[k - 1] = static_cast<quint8>(rest / unit);
        rest -= unit * (rest / unit);
    }
    m_valueIntegerDigits = static_cast<quint8>(decimalLength(m_valueInteger));
}

void TFrameFigureInteger::setValueInteger(qint32 value)
{
    // The unclamped value is compared, so writing 100000 over a stored 99999 still
    // goes through every step.
    if (value == m_valueInteger)
        return;
    // Negative values have no boxes to show; they are kept at 0 like the dividend of
    // the long-division figure.
    m_valueInteger = std::clamp(value, 0, 99999);
    splitDigits();
    resize(m_valueIntegerDigits * m_fontSize + 1, height());
    if (m_typeIntegerLocationStyle == ilsRight)
        move(x() + (int(m_previousDigits) - int(m_valueIntegerDigits)) * m_fontSize, y());
    m_previousDigits = m_valueIntegerDigits;
    update();
    Change();
}

void TFrameFigureInteger::setFontSize(quint8 size)
{
    if (size == m_fontSize)
        return;
    m_fontSize = size;
    resize(frameFigureWidth(size, m_valueIntegerDigits, m_typeSign), frameFigureHeight(size));
    update();
    Change();
}

template<typename T>
void TFrameFigureInteger::writeSetting(T &field, T value)
{
    field = value;
    update();
    Change();
}

void TFrameFigureInteger::setTypeFrameLineStyle(TPenStyle style)
{
    writeSetting(m_typeFrameLineStyle, style);
}

void TFrameFigureInteger::setTypeIntegerLocationStyle(TTypeIntegerLocationStyle style)
{
    writeSetting(m_typeIntegerLocationStyle, style);
}

void TFrameFigureInteger::setTypeSign(TTypeSign sign)
{
    // The dividend and the remainder start at their sign column; every other number is
    // aligned to the right.
    m_typeIntegerLocationStyle = (sign == sWarareru || sign == sAmari) ? ilsLeft : ilsRight;
    writeSetting(m_typeSign, sign);
}

void TFrameFigureInteger::setTypeIntegerShow(TTypeIntegerShow show)
{
    writeSetting(m_typeIntegerShow, show);
}

void TFrameFigureInteger::setTypeFrameShow(TTypeFrameShow show)
{
    writeSetting(m_typeFrameShow, show);
}

void TFrameFigureInteger::Change()
{
    Q_EMIT OnChange(this);
}

namespace {

// How far the digit line of the design's face drops in a box of a font size. Every box of a
// size shares it, and measuring the digits' ink anew at each paint costs a page of figures a
// good part of its time; it follows the face that the design's name stands for.
int digitDrop(int fontSize, const QFont &font)
{
    static std::map<std::pair<int, QStringList>, int> drops;
    const auto key = std::pair(fontSize, QFont::substitutes(designFaceName));
    auto found = drops.find(key);
    if (found == drops.end()) {
        const InkRows ink = digitInkRows(font);
        found = drops.emplace(key, digitLineDrop(fontSize, ink.first, ink.last)).first;
    }
    return found->second;
}

} // namespace

void TFrameFigureInteger::paintEvent(QPaintEvent *)
{
    const int F = m_fontSize;
    const int D = m_valueIntegerDigits;
    // The owner places each figure with the width of its digits alone and relies on the
    // figure to widen itself for its sign columns when it is drawn, so this correction
    // must happen here, at every paint, whatever width was set before.
    const int W = frameFigureWidth(F, D, m_typeSign);
    if (width() != W)
        resize(W, height());

    QPainter painter(this);
    // Marks that reach past the edges, such as the bracket's ellipse, are cut at the
    // control. The clip is set here and not left to the widget system because printing
    // records this painting and plays it back onto the page, where only an explicit
    // clip survives.
    painter.setClipRect(rect());
    painter.setPen(QPen(Qt::black, 1, qtPenStyle(m_typeFrameLineStyle)));
    painter.setBrush(color());
    const QFont font = designFont(pointsToPixels(F));
    painter.setFont(font);
    const int drop = digitDrop(F, font);

    for (int k = 5; k >= 1; --k) {
        // Box k exists when the number has at least k digits; box 1 always does.
        if (k > 1 && k > D)
            continue;
        if (m_typeFrameShow == fsShow)
            painter.drawRect(outlineRect(digitFrameRect(F, D, m_typeSign, k)));
        if (m_typeIntegerShow == isShow) {
            const FigureRect text = digitTextRect(F, D, m_typeSign, k);
            painter.setPen(Qt::black);
            // A face taller than its box would make drawText clip to the box by itself, and
            // on paper that clip outlives the digit and hides the rest of the figure; the
            // control's own clip above is the one that counts.
            const QRect line(text.left, text.top + drop, text.right - text.left, text.bottom - text.top);
            painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                             QString::number(digit(k)));
            painter.setPen(QPen(Qt::black, 1, qtPenStyle(m_typeFrameLineStyle)));
        }
    }

    paintSign(painter);
}

// The mark of the figure's sign: the bracket of a dividend, the dots of a remainder, the
// rule under a product or a difference.
void TFrameFigureInteger::paintSign(QPainter &painter) const
{
    const int F = m_fontSize;
    const int D = m_valueIntegerDigits;
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    switch (m_typeSign) {
    case sNone:
        break;
    case sWarareru:
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(outlineRect(bracketEllipse(F)));
        drawRule(painter, *signRule(F, D, m_typeSign));
        break;
    case sAmari:
        painter.setBrush(Qt::black);
        for (const FigureRect &dot : remainderDots(F))
            painter.drawEllipse(outlineRect(dot));
        painter.setBrush(Qt::NoBrush);
        break;
    case sKaketa:
    case sHiita:
        drawRule(painter, *signRule(F, D, m_typeSign));
        break;
    }
}

// --- TLongDivision -------------------------------------------------------------------

TLongDivision::TLongDivision(QWidget *owner) : TCustomControl(owner)
{
    LayoutFigures();
}

void TLongDivision::setDivision(qint32 dividend, qint32 divisor)
{
    m_valueIntegerWarareru = dividend;
    m_valueIntegerWaru = divisor;
    m_valueIntegerKotae = dividend / divisor;
    m_valueIntegerAmari = dividend % divisor;
}

void TLongDivision::setValueIntegerWarareru(qint32 value)
{
    const qint32 clamped = std::clamp(value, 0, 99999);
    if (clamped == m_valueIntegerWarareru)
        return;
    setDivision(clamped, m_valueIntegerWaru);
    rebuild();
}

void TLongDivision::setValueIntegerWaru(qint32 value)
{
    const qint32 clamped = std::clamp(value, 1, 99999);
    if (clamped == m_valueIntegerWaru)
        return;
    setDivision(m_valueIntegerWarareru, clamped);
    rebuild();
}

// These writers rebuild even when the value is unchanged.
template<typename T>
void TLongDivision::writeSetting(T &field, T value)
{
    field = value;
    rebuild();
}

void TLongDivision::setProblem(qint32 dividend, qint32 divisor)
{
    const qint32 clampedDividend = std::clamp(dividend, 0, 99999);
    const qint32 clampedDivisor = std::clamp(divisor, 1, 99999);
    if (clampedDividend == m_valueIntegerWarareru && clampedDivisor == m_valueIntegerWaru)
        return;
    setDivision(clampedDividend, clampedDivisor);
    rebuild();
}

void TLongDivision::setTypeAmariShow(TTypeAmariShow show)
{
    writeSetting(m_typeAmariShow, show);
}

void TLongDivision::setTypeIntegerShow(TTypeIntegerShow show)
{
    writeSetting(m_typeIntegerShow, show);
}

void TLongDivision::setTypeFrameShow(TTypeFrameShow show)
{
    writeSetting(m_typeFrameShow, show);
}

void TLongDivision::setFontSize(quint8 size)
{
    writeSetting(m_fontSize, size);
}

void TLongDivision::rebuild()
{
    ClearFigures();
    LayoutFigures();
    update();
    Change();
}

void TLongDivision::Change()
{
    Q_EMIT OnChange(this);
}

TFrameFigureInteger *TLongDivision::figure(const QString &name) const
{
    return findComponent<TFrameFigureInteger>(this, figurePrefix + name);
}

void TLongDivision::PlaceFigure(const QString &name, qint32 value, TTypeSign sign, quint16 left, quint16 top,
                                quint16 width, quint16 height, TTypeIntegerShow integerShow,
                                TTypeFrameShow frameShow)
{
    const QString fullName = figurePrefix + name;
    if (findComponent(this, fullName))
        return;
    // A new child widget goes on top of its siblings, so the order of placement is the
    // stacking order.
    auto *figure = new TFrameFigureInteger(this);
    figure->setObjectName(fullName);
    figure->setValueInteger(value);
    figure->setTypeSign(sign);
    figure->setTypeIntegerShow(integerShow);
    figure->setTypeFrameShow(frameShow);
    figure->setFontSize(m_fontSize);
    figure->setGeometry(left, top, width, height);
    figure->setToolTip(fullName);
    figure->show();
}

void TLongDivision::FreeFigure(const QString &name)
{
    delete findComponent<TFrameFigureInteger>(this, figurePrefix + name);
}

void TLongDivision::ClearFigures()
{
    static const char *const names[] = {"Amari",   "Kotae",  "Waru",    "Warareru", "Kaketa1",
                                        "Hiita1",  "Kaketa2", "Hiita2", "Kaketa3",  "Hiita3",
                                        "Kaketa4", "Hiita4", "Kaketa5", "Hiita5",   "Dummy"};
    for (const char *name : names)
        FreeFigure(QString::fromLatin1(name));
}

qint32 TLongDivision::LeadingDigits(qint32 number, qint32 count)
{
    return divisheet::LeadingDigits(number, count);
}

void TLongDivision::LayoutFigures()
{
    const LongDivisionLayout layout = layoutLongDivision(m_fontSize, m_valueIntegerWarareru, m_valueIntegerWaru,
                                                         m_typeAmariShow, m_typeIntegerShow, m_typeFrameShow);
    for (const FigurePlacement &p : layout.placements) {
        PlaceFigure(p.name, p.value, p.sign, quint16(p.left), quint16(p.top), quint16(p.width), quint16(p.height),
                    p.integerShow, p.frameShow);
    }
    resize(layout.width, layout.height);
}
