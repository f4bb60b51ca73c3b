#include "sheet/PageHeader.h"

#include "sheet/PageOptions.h"
#include "sheet/SheetLayout.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace divisheet {

namespace {

constexpr int kScoreBoxWidth = 100;
constexpr int kScoreBoxOverhang = 4; // above and below the date-and-name line
constexpr int kScoreMarkPixels = 20;
constexpr int kScoreMarkPadding = 6;

// Under the date-and-name line and the score box that reaches below it.
constexpr int kTitleTop = kDateNameLine.y() + kDateNameLine.height() + kScoreBoxOverhang + 2;
constexpr int kTitleHeight = 30;
constexpr int kTitleLargestPixels = 24;
constexpr int kTitleSmallestPixels = 14; // still easy to read on paper
// The title spans the page between margins as wide as the sheet's left margin.
constexpr int kTitleSideMargin = kSheetLeftMargin;
constexpr int kTitleControlGap = 8;

constexpr int kFootPixels = 12; // the face of the settings line in the header
constexpr int kFootHeight = 16;
constexpr int kFootBottomMargin = 8;
// 13 pixels of the designed page are 9.75 points on A4 landscape (595 points for 766 pixels).
constexpr int kCodePixels = 13;
constexpr int kCodeWidth = 220; // "#" and 16 symbols in three groups, then "100/100"
constexpr int kFootGap = 16;    // between the settings line and the code

constexpr int kSheetGap = 6; // between the grid of figures and the text above or below it

// The title in two lines, broken at the blank nearest the middle, or in the middle.
QString twoLines(const QString &title)
{
    const qsizetype middle = title.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 1; i + 1 < title.size(); ++i) {
        if (title[i].isSpace() && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    }
    if (best < 0 || qAbs(best - middle) > title.size() / 4) {
        qsizetype at = middle; // never between a surrogate pair
        if (at > 0 && title[at].isLowSurrogate())
            ++at;
        return title.left(at) + u'\n' + title.mid(at);
    }
    return title.left(best) + u'\n' + title.mid(best + 1);
}

} // namespace

ScoreBoxPlace scoreBoxPlace()
{
    const QRect box(kDateNameLine.right() + 1 - kScoreBoxWidth, kDateNameLine.top() - kScoreBoxOverhang,
                    kScoreBoxWidth, kDateNameLine.height() + 2 * kScoreBoxOverhang);
    const QRect mark(box.right() + 1 - kScoreMarkPadding - kScoreMarkPixels, box.top(), kScoreMarkPixels,
                     box.height());
    return {box, {mark, kScoreMarkPixels}};
}

QRect ownTitleBand(QSize page)
{
    return {kTitleSideMargin, kTitleTop, page.width() - 2 * kTitleSideMargin, kTitleHeight};
}

TitlePlace ownTitlePlace(const QString &title, QSize page, const QRect &control)
{
    const QRect band = ownTitleBand(page);
    // Right of the control where it stands over the band, else the band's own left.
    const int freeLeft = control.intersects(band) ? std::max(band.left(), control.right() + 1 + kTitleControlGap)
                                                  : band.left();
    const int freeWidth = band.right() + 1 - freeLeft;
    for (int pixels = kTitleLargestPixels; pixels >= kTitleSmallestPixels; --pixels) {
        const int width = QFontMetrics(designFont(pixels)).horizontalAdvance(title);
        if (width > freeWidth)
            continue;
        const int centred = (page.width() - width) / 2;
        return {title, QRect(std::max(centred, freeLeft), band.top(), width, band.height()), pixels};
    }
    const QFontMetrics metrics(designFont(kTitleSmallestPixels));
    QStringList lines = twoLines(title).split(u'\n');
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, freeWidth);
    return {lines.join(u'\n'), QRect(freeLeft, band.top(), freeWidth, band.height()), kTitleSmallestPixels};
}

TextPlace footLinePlace(QSize page)
{
    const QRect code = sheetCodePlace(page).rect;
    return {QRect(kTitleSideMargin, code.top(), code.left() - kFootGap - kTitleSideMargin, kFootHeight),
            kFootPixels};
}

TextPlace sheetCodePlace(QSize page)
{
    return {QRect(page.width() - kTitleSideMargin - kCodeWidth, page.height() - kFootBottomMargin - kFootHeight,
                  kCodeWidth, kFootHeight),
            kCodePixels};
}

int sheetTop(bool hasTitle)
{
    return hasTitle ? kTitleTop + kTitleHeight + kSheetGap : kSheetTopMargin;
}

int sheetBottom(QSize page, bool keepFoot)
{
    return keepFoot ? footLinePlace(page).rect.top() - kSheetGap : page.height();
}

} // namespace divisheet
