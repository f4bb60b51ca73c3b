// Every figure read as a pupil reads a written long division, with the expectations
// worked out by doing the long division here, digit by digit.

#include "figures/FrameFigureGeometry.h"
#include "figures/LongDivision.h"
#include "figures/LongDivisionLayout.h"
#include "platform/Fonts.h"
#include "TestSupport.h"

#include <QTest>

#include <random>

using namespace divisheet;
using namespace divisheet::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// One digit-frame figure of the picture, as placed.
struct Piece
{
    QString name;
    int value = 0;
    TTypeSign sign = sNone;
    int left = 0;
    int top = 0;
    int height = 0;
    TTypeIntegerShow shown = isShow;
};

struct Picture
{
    int fontSize = 0;
    QList<Piece> pieces;
    int width = 0;
    int height = 0;
};

struct WorkingRow
{
    int position = 0; // dividend digit (from 1) under the quotient digit of this row
    int product = 0;
    int difference = 0;
    int differenceEnd = 0; // dividend digit under the difference's last digit
};

// Long division as written on paper: bring the digits down one at a time, and once the
// number reached is at least the divisor, write a quotient digit, the product under it
// and subtract. A quotient of 0 still gets its one row: product 0, the dividend left.
std::vector<WorkingRow> divideOnPaper(int dividend, int divisor)
{
    const int nD = digitCount(dividend);
    std::vector<int> digits(static_cast<size_t>(nD));
    for (int i = nD - 1, rest = dividend; i >= 0; --i, rest /= 10)
        digits[size_t(i)] = rest % 10;

    std::vector<WorkingRow> rows;
    long long current = 0;
    bool started = false;
    for (int p = 1; p <= nD; ++p) {
        current = current * 10 + digits[size_t(p - 1)];
        started = started || current >= divisor;
        if (!started)
            continue;
        const long long q = current / divisor;
        if (q == 0)
            continue;
        if (!rows.empty()) {
            rows.back().difference = int(current);
            rows.back().differenceEnd = p;
        }
        rows.push_back({p, int(q * divisor), 0, 0});
        current -= q * divisor;
    }
    if (rows.empty())
        rows.push_back({nD, 0, 0, 0});
    rows.back().difference = int(current);
    rows.back().differenceEnd = nD;
    return rows;
}

// Columns a sign puts before the digits (the bracket, the remainder mark, or the empty
// column of a working row).
int leadingColumns(TTypeSign sign)
{
    return sign == sNone ? 0 : 1;
}

// The width a figure shows once painted, from its column layout.
int paintedWidth(int F, int digits, TTypeSign sign)
{
    const int extra = sign == sNone ? 0 : sign == sAmari ? 1 : 2;
    return (digits + extra) * F + 1;
}

// Checks one picture; returns what is wrong, or an empty text.
QString readPicture(const Picture &picture, int dividend, int divisor)
{
    const int F = picture.fontSize;
    const int h = int(std::lrint(1.5 * F)); // rint rounds halves to even
    const int nW = digitCount(divisor);
    const int nD = digitCount(dividend);
    const int quotient = dividend / divisor;
    const int remainder = dividend % divisor;
    const std::vector<WorkingRow> rows = divideOnPaper(dividend, divisor);
    const int m = int(rows.size());
    const QString where = u"%1 / %2 at F=%3: "_s.arg(dividend).arg(divisor).arg(F);

    QHash<QString, const Piece *> byName;
    QStringList order;
    for (const Piece &piece : picture.pieces) {
        if (byName.contains(piece.name))
            return where + u"two figures named "_s + piece.name;
        byName.insert(piece.name, &piece);
        order << piece.name;
        if (piece.height != h)
            return where + piece.name + u" height"_s;
        if (piece.left < 0 || piece.left % F != 0)
            return where + piece.name + u" not on the column grid"_s;
        if (piece.left + paintedWidth(F, digitCount(piece.value), piece.sign) > picture.width)
            return where + piece.name + u" sticks out of the figure"_s;
    }
    const auto lastColumn = [&](const Piece &piece) {
        return piece.left / F + leadingColumns(piece.sign) + digitCount(piece.value) - 1;
    };
    const auto expect = [&](const QString &name, int value, TTypeSign sign, int top, int endColumn) -> QString {
        const Piece *piece = byName.value(name);
        if (!piece)
            return where + name + u" missing"_s;
        if (piece->value != value)
            return where + name + u" value %1, expected %2"_s.arg(piece->value).arg(value);
        if (piece->sign != sign)
            return where + name + u" sign"_s;
        if (piece->top != top)
            return where + name + u" top %1, expected %2"_s.arg(piece->top).arg(top);
        if (lastColumn(*piece) != endColumn)
            return where + name + u" ends in column %1, expected %2"_s.arg(lastColumn(*piece)).arg(endColumn);
        return {};
    };

    // Divisor at the left, bracket, dividend; quotient over the dividend's last digits,
    // its first digit over the digit where the division starts.
    QString error;
    if (!(error = expect(u"Waru"_s, divisor, sNone, h - 2, nW - 1)).isEmpty())
        return error;
    if (!(error = expect(u"Warareru"_s, dividend, sWarareru, h - 2, nW + nD)).isEmpty())
        return error;
    if (!(error = expect(u"Kotae"_s, quotient, sNone, 0, nW + nD)).isEmpty())
        return error;
    if (quotient > 0 && lastColumn(*byName[u"Kotae"_s]) - digitCount(quotient) + 1 != nW + rows[0].position)
        return where + u"quotient does not start over its first dividend digit"_s;
    if (byName[u"Waru"_s]->shown != isShow || byName[u"Warareru"_s]->shown != isShow)
        return where + u"problem digits hidden"_s;
    if (remainder != 0) {
        if (!(error = expect(u"Amari"_s, remainder, sAmari, 0, nW + nD + 1 + digitCount(remainder))).isEmpty())
            return error;
    } else if (byName.contains(u"Amari"_s)) {
        return where + u"remainder 0 shown"_s;
    }

    QStringList expectedOrder{u"Waru"_s, u"Kotae"_s};
    if (remainder != 0)
        expectedOrder << u"Amari"_s;
    expectedOrder << u"Warareru"_s;
    for (int j = 1; j <= m; ++j) {
        const WorkingRow &row = rows[size_t(j - 1)];
        const QString product = u"Kaketa"_s + QString::number(j);
        const QString difference = u"Hiita"_s + QString::number(j);
        expectedOrder << product << difference;
        if (!(error = expect(product, row.product, sKaketa, 2 * j * (h - 2), nW + row.position)).isEmpty())
            return error;
        if (!(error = expect(difference, row.difference, sHiita, (2 * j + 1) * (h - 2), nW + row.differenceEnd))
                 .isEmpty())
            return error;

        // The rule under the product and over the difference: one unbroken stroke on one
        // pixel row, over every digit of both numbers.
        const Piece &k = *byName[product];
        const Piece &d = *byName[difference];
        std::vector<std::pair<int, int>> spans;
        for (const Piece &candidate : picture.pieces) {
            const Piece *piece = &candidate;
            if (piece != &k && piece->top != d.top)
                continue;
            const std::optional<FigureLine> rule = signRule(F, digitCount(piece->value), piece->sign);
            if (!rule)
                continue;
            if (piece->top + rule->y1 != d.top)
                return where + piece->name + u" rule off the difference line"_s;
            spans.push_back({piece->left + rule->x1, piece->left + rule->x2});
        }
        std::sort(spans.begin(), spans.end());
        int reach = spans.front().second;
        for (const auto &[from, to] : spans) {
            if (from > reach)
                return where + u"broken rule in working row %1"_s.arg(j);
            reach = std::max(reach, to);
        }
        const int firstDigit = (lastColumn(k) - digitCount(k.value) + 1) * F;
        if (spans.front().first > firstDigit || reach < (lastColumn(d) + 1) * F)
            return where + u"rule too short in working row %1"_s.arg(j);
    }
    QStringList placed = order;
    const qsizetype dummy = placed.indexOf(u"Dummy"_s);
    if (dummy >= 0) {
        const Piece &extender = *byName[u"Dummy"_s];
        if (extender.shown != isHide || extender.sign != sHiita || dummy + 1 >= placed.size()
            || !placed[dummy + 1].startsWith(u"Hiita"_s) || byName[placed[dummy + 1]]->top != extender.top)
            return where + u"stray line extender"_s;
        placed.removeAt(dummy);
    }
    if (placed != expectedOrder)
        return where + u"order "_s + order.join(u' ');

    int expectedWidth = (nW + nD + 2) * F + 1;
    if (remainder != 0)
        expectedWidth += digitCount(remainder) * F;
    if (picture.width != expectedWidth)
        return where + u"width %1, expected %2"_s.arg(picture.width).arg(expectedWidth);
    if (picture.height != (2 * m + 2) * h - 4 * m - 2)
        return where + u"height %1"_s.arg(picture.height);
    return {};
}

Picture pictureOf(const LongDivisionLayout &layout, int fontSize)
{
    Picture picture{fontSize, {}, layout.width, layout.height};
    for (const FigurePlacement &p : layout.placements)
        picture.pieces.push_back({p.name, p.value, p.sign, p.left, p.top, p.height, p.integerShow});
    return picture;
}

Picture pictureOf(const TLongDivision &figure)
{
    Picture picture{figure.fontSize(), {}, figure.width(), figure.height()};
    for (QObject *child : figure.children()) {
        if (auto *sub = qobject_cast<TFrameFigureInteger *>(child)) {
            picture.pieces.push_back({sub->objectName().mid(TLongDivision::figurePrefix.size()), sub->valueInteger(),
                                      sub->typeSign(), sub->x(), sub->y(), sub->height(), sub->typeIntegerShow()});
        }
    }
    return picture;
}

} // namespace

class TestLongDivisionProperty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    // The reader itself on the worked example, so that a lenient reader cannot pass
    // everything.
    void readerCatchesFaults()
    {
        Picture picture = pictureOf(layoutLongDivision(30, 7007, 7), 30);
        QCOMPARE(readPicture(picture, 7007, 7), QString());
        Picture noExtender = picture;
        noExtender.pieces.removeIf([](const Piece &p) { return p.name == u"Dummy"_s; });
        QVERIFY(readPicture(noExtender, 7007, 7).contains(u"broken rule"_s));
        Picture shifted = picture;
        for (Piece &p : shifted.pieces)
            if (p.name == u"Hiita1"_s)
                p.left -= 30;
        QVERIFY(!readPicture(shifted, 7007, 7).isEmpty());
        QVERIFY(!readPicture(picture, 7007, 8).isEmpty());
    }

    void everyDividend_data()
    {
        QTest::addColumn<int>("divisor");
        for (int divisor : {1, 2, 3, 7, 9, 10, 13, 37, 99, 100, 101, 999, 1234, 9999, 10000, 54321, 99999})
            QTest::newRow(qPrintable(u"divisor %1"_s.arg(divisor))) << divisor;
    }

    void everyDividend()
    {
        QFETCH(int, divisor);
        for (int dividend = 0; dividend <= 99999; ++dividend) {
            const QString error = readPicture(pictureOf(layoutLongDivision(30, dividend, divisor), 30), dividend, divisor);
            if (!error.isEmpty())
                QFAIL(qPrintable(error));
        }
    }

    void randomDivisions()
    {
        std::mt19937 random(20261207);
        std::uniform_int_distribution<int> dividends(0, 99999);
        std::uniform_int_distribution<int> lengths(1, 5);
        const int fontSizes[] = {24, 25, 27, 30, 31};
        for (int i = 0; i < 200000; ++i) {
            // Divisors spread evenly over their digit counts.
            const int length = lengths(random);
            int low = 1;
            for (int k = 1; k < length; ++k)
                low *= 10;
            const int divisor = std::uniform_int_distribution<int>(low, low * 10 - 1)(random) % 100000;
            const int dividend = dividends(random);
            const int F = fontSizes[i % 5];
            const QString error = readPicture(pictureOf(layoutLongDivision(F, dividend, std::max(divisor, 1)), F),
                                              dividend, std::max(divisor, 1));
            if (!error.isEmpty())
                QFAIL(qPrintable(error));
        }
    }

    // A smaller sample through real figures, set up the way the worksheet does it, and
    // painted so every sub-figure takes the width it shows.
    void figuresOnScreen()
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> dividends(0, 99999);
        std::uniform_int_distribution<int> divisors(1, 999);
        QWidget sheet;
        sheet.resize(600, 500);
        for (int i = 0; i < 150; ++i) {
            const int dividend = dividends(random);
            const int divisor = i % 3 == 0 ? divisors(random) % 9 + 1 : divisors(random);
            auto *figure = new TLongDivision(&sheet);
            figure->setGeometry(5, 5, 148, 139);
            figure->setFontSize(i % 2 ? 30 : 25);
            figure->setValueIntegerWarareru(dividend);
            figure->setValueIntegerWaru(divisor);
            figure->setTypeFrameShow(i % 4 == 0 ? fsHide : fsShow);
            figure->setTypeIntegerShow(i % 5 == 0 ? isHide : isShow);
            figure->show();
            const QString error = readPicture(pictureOf(*figure), dividend, divisor);
            if (!error.isEmpty())
                QFAIL(qPrintable(error));
            if (i % 10 == 0) {
                sheet.show();
                QVERIFY(QTest::qWaitForWindowExposed(&sheet));
                QCoreApplication::processEvents();
                sheet.grab();
                for (QObject *child : figure->children()) {
                    auto *sub = qobject_cast<TFrameFigureInteger *>(child);
                    QVERIFY(sub);
                    QCOMPARE(sub->width(), paintedWidth(figure->fontSize(), digitCount(sub->valueInteger()),
                                                        sub->typeSign()));
                }
            }
            delete figure;
        }
    }
};

QTEST_MAIN(TestLongDivisionProperty)
#include "tst_long_division_property.moc"
