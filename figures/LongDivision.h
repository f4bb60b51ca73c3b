#pragma once

#include "figures/FigureTypes.h"
#include "figures/LongDivisionLayout.h"
#include "platform/Controls.h"

#include <array>

class QPainter;

// One non-negative integer of at most five digits, one digit per box, the boxes side by
// side and aligned to the right, with an optional sign column that makes it the
// dividend under the bracket, the remainder behind its mark, a partial product with its
// underline or a partial difference with its overline.
class TFrameFigureInteger : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(quint8 ValueIntegerDigits READ valueIntegerDigits)
    Q_PROPERTY(qint32 ValueInteger READ valueInteger WRITE setValueInteger)
    Q_PROPERTY(quint8 FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(divisheet::TPenStyle TypeFrameLineStyle READ typeFrameLineStyle WRITE setTypeFrameLineStyle)
    Q_PROPERTY(divisheet::TTypeIntegerLocationStyle TypeIntegerLocationStyle READ typeIntegerLocationStyle
                   WRITE setTypeIntegerLocationStyle)
    Q_PROPERTY(divisheet::TTypeSign TypeSign READ typeSign WRITE setTypeSign)
    Q_PROPERTY(divisheet::TTypeIntegerShow TypeIntegerShow READ typeIntegerShow WRITE setTypeIntegerShow)
    Q_PROPERTY(divisheet::TTypeFrameShow TypeFrameShow READ typeFrameShow WRITE setTypeFrameShow)

public:
    explicit TFrameFigureInteger(QWidget *owner = nullptr);

    quint8 valueIntegerDigits() const { return m_valueIntegerDigits; }
    qint32 valueInteger() const { return m_valueInteger; }
    void setValueInteger(qint32 value);
    quint8 fontSize() const { return m_fontSize; }
    void setFontSize(quint8 size);
    divisheet::TPenStyle typeFrameLineStyle() const { return m_typeFrameLineStyle; }
    void setTypeFrameLineStyle(divisheet::TPenStyle style);
    divisheet::TTypeIntegerLocationStyle typeIntegerLocationStyle() const { return m_typeIntegerLocationStyle; }
    void setTypeIntegerLocationStyle(divisheet::TTypeIntegerLocationStyle style);
    divisheet::TTypeSign typeSign() const { return m_typeSign; }
    void setTypeSign(divisheet::TTypeSign sign);
    divisheet::TTypeIntegerShow typeIntegerShow() const { return m_typeIntegerShow; }
    void setTypeIntegerShow(divisheet::TTypeIntegerShow show);
    divisheet::TTypeFrameShow typeFrameShow() const { return m_typeFrameShow; }
    void setTypeFrameShow(divisheet::TTypeFrameShow show);

    // The ones, tens, ... digit of the value (k = 1..5).
    quint8 digit(int k) const { return m_digits.at(k - 1); }

Q_SIGNALS:
    void OnChange(QObject *sender);

protected:
    virtual void Change();
    void paintEvent(QPaintEvent *event) override;

private:
    void paintSign(QPainter &painter) const;
    void splitDigits();
    // Store a display setting, repaint, tell the owner.
    template<typename T>
    void writeSetting(T &field, T value);

    std::array<quint8, 5> m_digits{}; // Digit1 .. Digit5
    quint8 m_valueIntegerDigits = 0;
    quint8 m_previousDigits = 0;
    qint32 m_valueInteger = 0;
    quint8 m_fontSize = 32;
    divisheet::TPenStyle m_typeFrameLineStyle = divisheet::psDot;
    divisheet::TTypeIntegerLocationStyle m_typeIntegerLocationStyle = divisheet::ilsRight;
    divisheet::TTypeSign m_typeSign = divisheet::sNone;
    divisheet::TTypeIntegerShow m_typeIntegerShow = divisheet::isShow;
    divisheet::TTypeFrameShow m_typeFrameShow = divisheet::fsShow;
};

// One complete long division in the Japanese column layout, built entirely out of
// named TFrameFigureInteger children; it draws nothing itself.
class TLongDivision : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(qint32 ValueIntegerWarareru READ valueIntegerWarareru WRITE setValueIntegerWarareru)
    Q_PROPERTY(qint32 ValueIntegerWaru READ valueIntegerWaru WRITE setValueIntegerWaru)
    Q_PROPERTY(qint32 ValueIntegerKotae READ valueIntegerKotae)
    Q_PROPERTY(qint32 ValueIntegerAmari READ valueIntegerAmari)
    Q_PROPERTY(divisheet::TTypeAmariShow TypeAmariShow READ typeAmariShow WRITE setTypeAmariShow)
    Q_PROPERTY(divisheet::TTypeIntegerShow TypeIntegerShow READ typeIntegerShow WRITE setTypeIntegerShow)
    Q_PROPERTY(divisheet::TTypeFrameShow TypeFrameShow READ typeFrameShow WRITE setTypeFrameShow)
    Q_PROPERTY(quint8 FontSize READ fontSize WRITE setFontSize)

public:
    // Prefix of every sub-figure's object name.
    static inline const QString figurePrefix = QStringLiteral("FDynFrameFigureInteger");

    explicit TLongDivision(QWidget *owner = nullptr);

    qint32 valueIntegerWarareru() const { return m_valueIntegerWarareru; }
    void setValueIntegerWarareru(qint32 value);
    qint32 valueIntegerWaru() const { return m_valueIntegerWaru; }
    void setValueIntegerWaru(qint32 value);
    // Both numbers at once, with one layout instead of one for each: for a figure that takes
    // problem after problem. The same clamping as the two properties.
    void setProblem(qint32 dividend, qint32 divisor);
    qint32 valueIntegerKotae() const { return m_valueIntegerKotae; }
    qint32 valueIntegerAmari() const { return m_valueIntegerAmari; }
    divisheet::TTypeAmariShow typeAmariShow() const { return m_typeAmariShow; }
    void setTypeAmariShow(divisheet::TTypeAmariShow show);
    divisheet::TTypeIntegerShow typeIntegerShow() const { return m_typeIntegerShow; }
    void setTypeIntegerShow(divisheet::TTypeIntegerShow show);
    divisheet::TTypeFrameShow typeFrameShow() const { return m_typeFrameShow; }
    void setTypeFrameShow(divisheet::TTypeFrameShow show);
    quint8 fontSize() const { return m_fontSize; }
    void setFontSize(quint8 size);

    // The sub-figure named `name` (without the prefix), or nullptr.
    TFrameFigureInteger *figure(const QString &name) const;

    // Registry operations. Placing never updates: a sub-figure that exists under the name
    // is left as it is, so every layout must follow a ClearFigures.
    void PlaceFigure(const QString &name, qint32 value, divisheet::TTypeSign sign, quint16 left, quint16 top,
                     quint16 width, quint16 height, divisheet::TTypeIntegerShow integerShow,
                     divisheet::TTypeFrameShow frameShow);
    void FreeFigure(const QString &name);
    void ClearFigures();
    static qint32 LeadingDigits(qint32 number, qint32 count);

Q_SIGNALS:
    void OnChange(QObject *sender);

protected:
    virtual void Change();
    void LayoutFigures();

private:
    void rebuild();
    // Store a display setting and rebuild.
    template<typename T>
    void writeSetting(T &field, T value);
    void setDivision(qint32 dividend, qint32 divisor);

    qint32 m_valueIntegerWarareru = 21;
    qint32 m_valueIntegerWaru = 3;
    qint32 m_valueIntegerKotae = 7;
    qint32 m_valueIntegerAmari = 0;
    divisheet::TTypeAmariShow m_typeAmariShow = divisheet::asShow;
    divisheet::TTypeIntegerShow m_typeIntegerShow = divisheet::isShow;
    divisheet::TTypeFrameShow m_typeFrameShow = divisheet::fsShow;
    quint8 m_fontSize = 24;
};
