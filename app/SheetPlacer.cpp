#include "app/SheetPlacer.h"

#include "sheet/PageHeader.h"
#include "figures/LongDivision.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/Label.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

using namespace divisheet;

namespace {

const QString kNumberPrefix = QStringLiteral("DynNumber");

// A box with 点 at its right, white inside so that it covers the tail of the name line.
class TScoreBox : public QWidget
{
public:
    explicit TScoreBox(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ShapeScoreBox"));
        setGeometry(scoreBoxPlace().box);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const ScoreBoxPlace place = scoreBoxPlace();
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setFont(designFont(place.mark.pixelSize));
        painter.drawText(place.mark.rect.translated(-place.box.topLeft()), Qt::AlignCenter, QStringLiteral("点"));
    }
};

template <typename T>
T *ownersChild(QWidget *owner, const char *name)
{
    auto *child = owner->findChild<T *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(child, "TSheetPlacer", name);
    return child;
}

} // namespace

TSheetPlacer::TSheetPlacer(QWidget *owner)
    : m_owner(owner),
      m_settingsLine(ownersChild<TLabel>(owner, "LabelHyoudai")),
      m_code(ownersChild<TLabel>(owner, "LabelSheetCode")),
      m_title(new QLabel(owner)),
      m_scoreBox(new TScoreBox(owner)),
      m_settingsLineHome(m_settingsLine->pos())
{
    m_title->setObjectName(QStringLiteral("LabelOwnTitle"));
    m_title->setTextFormat(Qt::PlainText); // an "&" in the title is shown as it is
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_title->hide();
    m_scoreBox->hide();
}

bool TSheetPlacer::createFigure(int number, const QRect &bounds, int fontSize, int divisor, int dividend,
                                TTypeFrameShow frames, TTypeIntegerShow show)
{
    const QString name = figureName(number);
    if (findComponent(m_owner, name))
        return false;
    auto *figure = new TLongDivision(m_owner);
    figure->setGeometry(bounds);
    figure->setObjectName(name);
    figure->setFontSize(quint8(fontSize));
    figure->setValueIntegerWarareru(dividend);
    figure->setValueIntegerWaru(divisor);
    figure->setTypeFrameShow(frames);
    figure->setTypeIntegerShow(show);
    figure->show();
    return true;
}

void TSheetPlacer::removeFigures(int rows, int columns)
{
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column)
            delete findComponent<TLongDivision>(m_owner, figureName(figureNumber(row, column, columns)));
    }
}

void TSheetPlacer::placeHeader(const PageOptions &options, QSize page)
{
    placeTitle(options, page);
    m_scoreBox->setVisible(options.scoreBox);
    if (options.scoreBox)
        m_scoreBox->raise();
}

// The own title under the header line, and the settings line where it goes.
void TSheetPlacer::placeTitle(const PageOptions &options, QSize page)
{
    m_title->setVisible(options.hasTitle());
    if (options.hasTitle()) {
        const TitlePlace place = ownTitlePlace(options.title, page, kButtonPanelPlace);
        m_title->setFont(designFont(place.pixelSize));
        m_title->setGeometry(place.rect);
        m_title->setText(place.text);
    }
    placeSettingsLine(options, page);
}

void TSheetPlacer::placeSettingsLine(const PageOptions &options, QSize page)
{
    if (!options.hasTitle() && m_settingsLineHome.x() + m_settingsLine->width() <= kSettingsLineEnd) {
        m_settingsLine->move(m_settingsLineHome);
        return;
    }
    const TextPlace foot = footLinePlace(page);
    m_settingsLine->move(foot.rect.left(), foot.rect.top() + (foot.rect.height() - m_settingsLine->height()) / 2);
}

// Small numbers 1, 2, 3 ... in reading order in the band above each figure.
void TSheetPlacer::placeNumbers(const PageLayout &layout, int problemCount)
{
    for (QLabel *old : m_owner->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (old->objectName().startsWith(kNumberPrefix))
            delete old;
    }
    if (layout.numberBand <= 0)
        return;
    const QFont font = designFont(kNumberPixelSize);
    for (int k = 1; k <= std::min(problemCount, layout.problemCount()); ++k) {
        auto *number = new QLabel(QString::number(k), m_owner);
        number->setObjectName(kNumberPrefix + QString::number(k));
        number->setFont(font);
        number->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        number->setGeometry(layout.numberRect((k - 1) / layout.columns + 1, (k - 1) % layout.columns + 1));
        number->show();
    }
}

// The code has a place of its own at the page's foot, right, large enough to be read back and
// typed in again.
void TSheetPlacer::placeCode(const QString &text, QSize page)
{
    if (text != m_code->caption())
        m_code->setCaption(text);
    const TextPlace place = sheetCodePlace(page);
    if (m_code->fontHeight() != place.pixelSize)
        m_code->setFontHeight(-place.pixelSize);
    m_code->move(place.rect.right() + 1 - m_code->width(), place.rect.bottom() + 1 - m_code->height());
}

void TSheetPlacer::placeSheet(const Sheet &sheet, TTypeIntegerShow show, QSize outer, QSize page)
{
    const PageLayout grid = sheet.grid();
    PageLayout layout = placedPageLayout(sheet.page, grid.rows, grid.columns, outer, page);
    layout.fontSize = grid.fontSize;
    const int count = std::min(int(sheet.problems.size()), layout.problemCount());
    const bool sameGrid = count == m_placedCount && layout.rows == m_placed.rows && layout.columns == m_placed.columns
        && layout.fontSize == m_placed.fontSize && layout.figureTopLeft(1, 1) == m_placed.figureTopLeft(1, 1)
        && layout.cellRect(1, 1) == m_placed.cellRect(1, 1);
    placeCode(sheetCodeText(sheet.recipe), page);
    placeHeader(sheet.page, page);
    if (sameGrid && refillFigures(sheet, show, count))
        return;
    removeFigures(m_placed.rows, m_placed.columns);
    m_placed = layout;
    m_placedCount = count;
    for (int k = 1; k <= count; ++k) {
        const Problem &p = sheet.problems[std::size_t(k - 1)];
        const int row = (k - 1) / layout.columns + 1;
        const int column = (k - 1) % layout.columns + 1;
        const QRect bounds(layout.figureTopLeft(row, column), QSize(kFigureStartWidth, kFigureStartHeight));
        createFigure(k, bounds, layout.fontSize, p.divisor, p.dividend, sheet.framesShown ? fsShow : fsHide, show);
    }
    placeNumbers(layout, count);
}

// False, and nothing changed, where a figure of the last sheet is missing.
bool TSheetPlacer::refillFigures(const Sheet &sheet, TTypeIntegerShow show, int count)
{
    std::vector<TLongDivision *> figures;
    for (int k = 1; k <= count; ++k) {
        figures.push_back(findComponent<TLongDivision>(m_owner, figureName(k)));
        if (!figures.back())
            return false;
    }
    for (int k = 1; k <= count; ++k) {
        const Problem &p = sheet.problems[std::size_t(k - 1)];
        TLongDivision *figure = figures[std::size_t(k - 1)];
        figure->setTypeFrameShow(sheet.framesShown ? fsShow : fsHide);
        figure->setTypeIntegerShow(show);
        figure->setProblem(p.dividend, p.divisor);
    }
    return true;
}
