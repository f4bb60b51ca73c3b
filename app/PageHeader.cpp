#include "app/PageHeader.h"

#include "app/PageOptions.h"
#include "app/SheetLayout.h"

namespace divisheet {

namespace {

constexpr int kScoreBoxWidth = 100;
constexpr int kScoreBoxOverhang = 4; // above and below the date-and-name line
constexpr int kScoreMarkPixels = 20;
constexpr int kScoreMarkPadding = 6;

// Under the date-and-name line and the score box that reaches below it.
constexpr int kTitleTop = kDateNameLine.y() + kDateNameLine.height() + kScoreBoxOverhang + 2;
constexpr int kTitlePixels = 24;
constexpr int kTitleHeight = 30;
// The title spans the page between margins as wide as the sheet's left margin.
constexpr int kTitleSideMargin = kSheetLeftMargin;
static_assert(kTitleMaxLength * kTitlePixels <= 1036 - 2 * kTitleSideMargin,
              "a title of full-width characters must fit the designed page");

constexpr int kFootPixels = 12; // the face of the settings line in the header
constexpr int kFootHeight = 16;
constexpr int kFootBottomMargin = 8;

constexpr int kSheetGap = 6; // between the grid of figures and the text above or below it

} // namespace

ScoreBoxPlace scoreBoxPlace()
{
    const QRect box(kDateNameLine.right() + 1 - kScoreBoxWidth, kDateNameLine.top() - kScoreBoxOverhang,
                    kScoreBoxWidth, kDateNameLine.height() + 2 * kScoreBoxOverhang);
    const QRect mark(box.right() + 1 - kScoreMarkPadding - kScoreMarkPixels, box.top(), kScoreMarkPixels,
                     box.height());
    return {box, {mark, kScoreMarkPixels}};
}

TextPlace ownTitlePlace(QSize page)
{
    return {QRect(kTitleSideMargin, kTitleTop, page.width() - 2 * kTitleSideMargin, kTitleHeight),
            kTitlePixels};
}

TextPlace footLinePlace(QSize page)
{
    return {QRect(kTitleSideMargin, page.height() - kFootBottomMargin - kFootHeight,
                  page.width() - 2 * kTitleSideMargin, kFootHeight),
            kFootPixels};
}

int sheetTop(bool hasTitle)
{
    return hasTitle ? kTitleTop + kTitleHeight + kSheetGap : kSheetTopMargin;
}

int sheetBottom(QSize page, bool hasTitle)
{
    return hasTitle ? footLinePlace(page).rect.top() - kSheetGap : page.height();
}

} // namespace divisheet
