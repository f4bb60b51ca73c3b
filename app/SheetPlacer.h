#pragma once

#include "sheet/PageLayout.h"
#include "sheet/Sheet.h"
#include "figures/FigureTypes.h"

#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;
class TLabel;

// Puts a sheet on a page: the owner widget, which is the window itself on screen and a bare
// white page on paper, gets one long-division figure per problem ("DynLongDivision" and its
// number), the problems' numbers ("DynNumber" and the number), the own title
// ("LabelOwnTitle") and the score box ("ShapeScoreBox"), and the owner's settings line
// ("LabelHyoudai") and sheet code ("LabelSheetCode") go where the page's options put them.
// Figures are found again by name only: the placer keeps no list of them.
class TSheetPlacer
{
public:
    // The owner must have its settings line and code labels already; the title and the score
    // box are made here, hidden until a sheet's options ask for them.
    explicit TSheetPlacer(QWidget *owner);

    // Figure `number` with the bounds `bounds` (its layout then sets its size), unless the owner
    // has one of that name: false then, and nothing is created, moved or changed.
    bool createFigure(int number, const QRect &bounds, int fontSize, int divisor, int dividend,
                      divisheet::TTypeFrameShow frames, divisheet::TTypeIntegerShow show);
    // Frees the figures of a placement of rows x columns.
    void removeFigures(int rows, int columns);

    // The page's header as its options ask, on a page of `page` pixels: the own title with the
    // settings line, and the score box.
    void placeHeader(const divisheet::PageOptions &options, QSize page);
    // The settings line in the header, or at the page's foot where an own title takes its
    // place or the line would run into the date-and-name line; as its text is now.
    void placeSettingsLine(const divisheet::PageOptions &options, QSize page);
    // The numbers of the first `problemCount` cells of `layout`, when it is numbered.
    void placeNumbers(const divisheet::PageLayout &layout, int problemCount);
    // The code at the page's foot, right.
    void placeCode(const QString &text, QSize page);

    // A whole sheet on paper: the layout of its page of client size `page` (the cells of a
    // plain page follow the window's outer size `outer`, as they always have), the code, the
    // extras and the figures showing `show`. The settings line's text is the caller's. Sheets
    // placed one after another on the same grid keep the figures and give them their new
    // problems: a figure lays itself out again at every change, and building it anew costs
    // five layouts where a new problem costs one.
    void placeSheet(const divisheet::Sheet &sheet, divisheet::TTypeIntegerShow show, QSize outer, QSize page);

private:
    void placeTitle(const divisheet::PageOptions &options, QSize page);
    bool refillFigures(const divisheet::Sheet &sheet, divisheet::TTypeIntegerShow show, int count);

    QWidget *m_owner;
    TLabel *m_settingsLine;
    TLabel *m_code;
    QLabel *m_title;
    QWidget *m_scoreBox;
    QPoint m_settingsLineHome; // the settings line's place in the header
    divisheet::PageLayout m_placed; // the grid of the last whole sheet placed, and its count
    int m_placedCount = 0;
};
