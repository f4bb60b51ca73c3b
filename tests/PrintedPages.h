#pragma once

// Reading printed worksheets back from outside the program: pdftotext gives the words and
// their places, which are mapped back to the form's pixels, grouped into figures and read
// as long divisions, to be checked against arithmetic.

#include "PrintTestSupport.h"
#include "TestSupport.h"

#include "platform/PrintToFit.h"

#include <QList>
#include <QPageLayout>
#include <QPointF>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace printtest {

using divisheet::test::digitCount;

// One printed digit, in the form's pixels: the centre of its cell along x, its top.
struct PrintedDigit
{
    QPointF position;
    int value;
};

struct PrintedPage
{
    QString text;                // pdftotext, in reading order
    QString header;              // the words above the figures, left to right, no spaces
    QList<PrintedDigit> digits; // every digit of the page, header included
};

// Where the form's image lies on paper: its top-left corner (the printable area's) and
// its scale, in points, for a form of `formSize` printed to fit the printer's page.
struct PageMapping
{
    QPointF origin;
    double pointsPerPixel = 1;
};

inline PageMapping pageMapping(QSize formSize, const QPageLayout &layout, int dpi)
{
    const QRect printable = layout.paintRectPixels(dpi);
    const QSize target = divisheet::printToFitSize(formSize, printable.size());
    return {QPointF(printable.x() * 72.0 / dpi, printable.y() * 72.0 / dpi),
            double(target.width()) / formSize.width() * 72.0 / dpi};
}

inline PageMapping pageMapping(QSize formSize, QPrinter *printer)
{
    return pageMapping(formSize, printer->pageLayout(), printer->resolution());
}

// Reads page `number` (from 1; 0: the only one) of a printed PDF with pdftotext and maps
// its digits back to the form's pixels, undoing the print-to-fit `mapping`.
inline PrintedPage readPage(const QString &pdf, const PageMapping &mapping, int number = 0)
{
    PrintedPage page;
    QStringList pages;
    if (number > 0)
        pages = {QStringLiteral("-f"), QString::number(number), QStringLiteral("-l"), QString::number(number)};
    page.text = run(QStringLiteral("pdftotext"), pages + QStringList{QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    const QString words = run(QStringLiteral("pdftotext"),
                              pages + QStringList{QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QPointF origin = mapping.origin;
    const double pointsPerPixel = mapping.pointsPerPixel;

    static const QRegularExpression pattern(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]+$"));
    std::vector<std::pair<double, QString>> headerWords;
    for (auto it = pattern.globalMatch(words); it.hasNext();) {
        const auto match = it.next();
        const QString word = match.captured(5);
        const double xMin = match.captured(1).toDouble();
        const double yMin = match.captured(2).toDouble();
        const double xMax = match.captured(3).toDouble();
        // The header line lies above the figures' first row (48 pixels down).
        if ((yMin - origin.y()) / pointsPerPixel < 40)
            headerWords.emplace_back(xMin, word);
        if (!digitsOnly.match(word).hasMatch())
            continue;
        // Digits that pdftotext joined into one word share its width evenly.
        const double each = (xMax - xMin) / word.size();
        for (qsizetype i = 0; i < word.size(); ++i) {
            const QPointF at((xMin + (i + 0.5) * each - origin.x()) / pointsPerPixel,
                             (yMin - origin.y()) / pointsPerPixel);
            page.digits.push_back({at, word.at(i).digitValue()});
        }
    }
    std::sort(headerWords.begin(), headerWords.end());
    for (const auto &word : headerWords)
        page.header += word.second;
    return page;
}

// Every word of page `number` as pdftotext boxes it, in the form's pixels, with its height
// on paper in points.
struct PrintedWord
{
    QString text;
    QRectF rect;
    double points;
};

inline QList<PrintedWord> wordsOfPage(const QString &pdf, const PageMapping &mapping, int number)
{
    const QString n = QString::number(number);
    const QString words = run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-enc"),
                                                            QStringLiteral("UTF-8"), QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression pattern(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PrintedWord> list;
    for (auto it = pattern.globalMatch(words); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        const double scale = mapping.pointsPerPixel;
        list.push_back({m.captured(5), QRectF((topLeft - mapping.origin) / scale, (bottomRight - mapping.origin) / scale),
                        bottomRight.y() - topLeft.y()});
    }
    return list;
}

inline PrintedPage readPage(const QString &pdf, QSize formSize, QPrinter *printer)
{
    return readPage(pdf, pageMapping(formSize, printer));
}

// A line of one figure: its digits by digit column (column 0 at the figure's left edge).
using FigureLine = std::map<int, int>;

struct PrintedFigure
{
    QList<FigureLine> lines; // top to bottom
};

// Groups the page's digits by figure (the figure whose top-left corner is the nearest
// one above and to the left of the digit) and, inside each, into lines and columns.
inline QList<PrintedFigure> figuresOnPage(const PrintedPage &page, const std::vector<QPoint> &topLefts, int fontSize)
{
    QList<PrintedFigure> figures(qsizetype(topLefts.size()));
    QList<QList<PrintedDigit>> byFigure(qsizetype(topLefts.size()));
    for (const PrintedDigit &digit : page.digits) {
        // The figures stand in a grid: the last row of corners above the digit, and in
        // it the last corner left of the digit.
        int best = -1;
        for (size_t k = 0; k < topLefts.size(); ++k) {
            const QPoint corner = topLefts[k];
            if (corner.x() - 2 > digit.position.x() || corner.y() - 2 > digit.position.y())
                continue;
            if (best < 0 || std::pair(corner.y(), corner.x()) > std::pair(topLefts[best].y(), topLefts[best].x()))
                best = int(k);
        }
        if (best >= 0)
            byFigure[best] << digit;
    }
    for (qsizetype k = 0; k < figures.size(); ++k) {
        QList<PrintedDigit> digits = byFigure[k];
        std::sort(digits.begin(), digits.end(),
                  [](const PrintedDigit &a, const PrintedDigit &b) { return a.position.y() < b.position.y(); });
        double lineTop = -1e9;
        for (const PrintedDigit &digit : digits) {
            // Lines lie 1.5 F - 2 pixels apart; digits of one line share their top.
            if (digit.position.y() - lineTop > fontSize / 2.0) {
                figures[k].lines << FigureLine();
                lineTop = digit.position.y();
            }
            const int column = int(std::floor((digit.position.x() - topLefts[k].x()) / fontSize));
            figures[k].lines.last()[column] = digit.value;
        }
    }
    return figures;
}

// Reads the digits of columns first..last as one number; -1 when a column is empty.
inline int numberIn(const FigureLine &line, int first, int last)
{
    int value = 0;
    for (int c = first; c <= last; ++c) {
        const auto it = line.find(c);
        if (it == line.end())
            return -1;
        value = value * 10 + it->second;
    }
    return value;
}

struct PrintedProblem
{
    int divisor = -1;
    int dividend = -1;
    int divisorDigits = 0;
    int dividendDigits = 0;
    bool operator==(const PrintedProblem &other) const { return divisor == other.divisor && dividend == other.dividend; }
};

// The problem line: the divisor from column 0, the bracket's empty column, the dividend.
// Returns a problem with divisor -1 when the line is not of that shape.
inline PrintedProblem problemLine(const FigureLine &line)
{
    PrintedProblem problem;
    if (line.empty() || line.begin()->first != 0)
        return problem;
    int c = 0;
    while (line.count(c))
        ++c;
    problem.divisorDigits = c;
    const int dividendFirst = c + 1;
    if (!line.count(dividendFirst))
        return problem;
    int end = dividendFirst;
    while (line.count(end))
        ++end;
    if (line.rbegin()->first != end - 1)
        return problem; // something after the dividend
    problem.dividendDigits = end - dividendFirst;
    problem.divisor = numberIn(line, 0, c - 1);
    problem.dividend = numberIn(line, dividendFirst, end - 1);
    return problem;
}


inline QString describe(const PrintedFigure &figure)
{
    QStringList lines;
    for (const FigureLine &line : figure.lines) {
        QStringList cells;
        for (const auto &[column, digit] : line)
            cells << QStringLiteral("%1:%2").arg(column).arg(digit);
        lines << cells.join(u' ');
    }
    return lines.join(QStringLiteral(" | "));
}

// The problems page: each figure shows its problem line and nothing else.
inline QList<PrintedProblem> problemsOfProblemsPage(const QList<PrintedFigure> &figures)
{
    QList<PrintedProblem> problems;
    for (const PrintedFigure &figure : figures) {
        if (figure.lines.size() != 1) {
            qWarning("problems page: figure with %d lines of digits: %s", int(figure.lines.size()),
                     qPrintable(describe(figure)));
            problems << PrintedProblem();
            continue;
        }
        problems << problemLine(figure.lines.first());
    }
    return problems;
}

// The answers page: each figure is the whole written division of its problem: the
// quotient (and a non-zero remainder behind its mark) over the problem line, one
// working row of two lines per non-zero quotient digit, the last line the remainder.
// Returns an empty text when it is, else what is wrong.
inline QString checkWorkedFigure(const PrintedFigure &figure, const PrintedProblem &expected)
{
    if (figure.lines.size() < 4)
        return QStringLiteral("too few lines: ") + describe(figure);
    const PrintedProblem problem = problemLine(figure.lines[1]);
    if (!(problem == expected))
        return QStringLiteral("problem line %1 / %2, problems page had %3 / %4: %5")
            .arg(problem.dividend).arg(problem.divisor).arg(expected.dividend).arg(expected.divisor)
            .arg(describe(figure));
    const int quotient = expected.dividend / expected.divisor;
    const int remainder = expected.dividend % expected.divisor;
    const int nW = problem.divisorDigits, nD = problem.dividendDigits, nQ = digitCount(quotient);

    // The quotient stands over the last digits of the dividend.
    const FigureLine &top = figure.lines[0];
    FigureLine quotientDigits, remainderDigits;
    for (const auto &[column, digit] : top)
        (column <= nW + nD ? quotientDigits : remainderDigits)[column] = digit;
    if (quotientDigits.size() != size_t(nQ) || numberIn(quotientDigits, nW + nD + 1 - nQ, nW + nD) != quotient)
        return QStringLiteral("quotient %1 expected: %2").arg(quotient).arg(describe(figure));
    if (remainder == 0) {
        if (!remainderDigits.empty())
            return QStringLiteral("remainder shown for 0: ") + describe(figure);
    } else if (remainderDigits.size() != size_t(digitCount(remainder))
               || numberIn(remainderDigits, nW + nD + 2, nW + nD + 1 + digitCount(remainder)) != remainder) {
        return QStringLiteral("remainder %1 expected behind the quotient: %2").arg(remainder).arg(describe(figure));
    }

    // One working row per non-zero quotient digit (a quotient of 0 has one).
    const QString q = QString::number(quotient);
    const int rows = quotient == 0 ? 1 : int(std::count_if(q.begin(), q.end(), [](QChar c) { return c != u'0'; }));
    if (figure.lines.size() != 2 + 2 * rows)
        return QStringLiteral("%1 working rows expected: %2").arg(rows).arg(describe(figure));
    // The first partial product is the first quotient digit times the divisor, ending
    // under that digit; the last difference is the remainder, ending under the last.
    const int firstProduct = (q.at(0).digitValue()) * expected.divisor;
    const int firstColumn = nW + nD + 1 - nQ;
    const FigureLine &product = figure.lines[2];
    if (numberIn(product, firstColumn - digitCount(firstProduct) + 1, firstColumn) != firstProduct
        || product.size() != size_t(digitCount(firstProduct)))
        return QStringLiteral("first partial product %1 expected: %2").arg(firstProduct).arg(describe(figure));
    const FigureLine &last = figure.lines.last();
    if (numberIn(last, nW + nD - digitCount(remainder) + 1, nW + nD) != remainder
        || last.size() != size_t(digitCount(remainder)))
        return QStringLiteral("last difference %1 expected: %2").arg(remainder).arg(describe(figure));
    return {};
}

} // namespace printtest
