#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/PageOptionsDialog.h"
#include "sheet/PageHeader.h"
#include "sheet/SheetLayout.h"
#include "figures/LongDivision.h"
#include "platform/Controls.h"
#include "platform/ErrorBoundary.h"
#include "platform/Fonts.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

// The page's options on the main form: numbers beside the figures, the score box at the
// end of the date-and-name line, the own title with the settings line at the page foot,
// and the fuller page. Every piece is a child of the form, so it reaches paper with the
// rest of the sheet.

using namespace divisheet;

namespace {

const QString kNumberPrefix = QStringLiteral("DynNumber");
const char *const kDesignPosProperty = "designPos";

// A box with 点 at its right, white inside so that it covers the tail of the name line.
class TScoreBox : public QWidget
{
public:
    explicit TScoreBox(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ShapeScoreBox"));
        const ScoreBoxPlace place = scoreBoxPlace();
        setGeometry(place.box);
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
        painter.drawText(place.mark.rect.translated(-place.box.topLeft()), Qt::AlignCenter,
                         QStringLiteral("点"));
    }
};

} // namespace

void TFormDivisheet::setPageOptions(const PageOptions &options)
{
    m_pageOptions = options;
    m_pageOptions.title = fitTitle(options.title).text;
}

void TFormDivisheet::ButtonPageOptionsClick(QObject *)
{
    TPageOptionsDialog dialog(m_pageOptions, currentSettings(), this);
    if (dialog.exec() == QDialog::Accepted)
        setPageOptions(dialog.options());
}

// The page's own controls: the button in the settings panel that opens the options, the
// title line and the score box (shown only while their options are on).
void TFormDivisheet::createPageControls()
{
    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("LabelOwnTitle"));
    title->setTextFormat(Qt::PlainText); // an "&" in the title is shown as it is
    title->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    title->hide();
    new TScoreBox(this);
    findChild<QWidget *>(QStringLiteral("ShapeScoreBox"))->hide();
    ui->LabelHyoudai->setProperty(kDesignPosProperty, ui->LabelHyoudai->pos());
}

QSize TFormDivisheet::sheetClientSize() const
{
    return m_paperOuterSize ? clientSizeFor(*m_paperOuterSize, outerSize(this) - size()) : size();
}

PageLayout TFormDivisheet::sheetPageLayout() const
{
    PageLayout layout = placedPageLayout(m_sheetPageOptions, m_state.FigureRows, m_state.FigureColumns,
                                         sheetOuterSize(), sheetClientSize());
    layout.fontSize = m_state.FigureFontSize;
    return layout;
}

// The header of the sheet now placed: the own title under the header line with the
// settings line moved to the page foot, or the settings line in its place; the score box.
void TFormDivisheet::showPageHeader()
{
    placeSheetCodeLabel();
    const QSize page = sheetClientSize();
    auto *title = findChild<QLabel *>(QStringLiteral("LabelOwnTitle"), Qt::FindDirectChildrenOnly);
    auto *score = findChild<QWidget *>(QStringLiteral("ShapeScoreBox"), Qt::FindDirectChildrenOnly);
    if (!title || !score)
        return;
    const bool hasTitle = m_sheetPageOptions.hasTitle();
    if (hasTitle) {
        const TitlePlace place = ownTitlePlace(m_sheetPageOptions.title, page, ui->PanelButtons->geometry());
        title->setFont(designFont(place.pixelSize));
        title->setGeometry(place.rect);
        title->setText(place.text);
        const TextPlace foot = footLinePlace(page);
        ui->LabelHyoudai->move(foot.rect.left(),
                               foot.rect.top() + (foot.rect.height() - ui->LabelHyoudai->height()) / 2);
    } else {
        ui->LabelHyoudai->move(ui->LabelHyoudai->property(kDesignPosProperty).toPoint());
    }
    title->setVisible(hasTitle);
    score->setVisible(m_sheetPageOptions.scoreBox);
    if (m_sheetPageOptions.scoreBox)
        score->raise();
}

// Small numbers 1, 2, 3 ... in reading order in the band above each figure.
void TFormDivisheet::placeNumbers(const PageLayout &layout)
{
    for (QLabel *old : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (old->objectName().startsWith(kNumberPrefix))
            delete old;
    }
    if (layout.numberBand <= 0)
        return;
    const QFont font = designFont(kNumberPixelSize);
    for (int k = 1; k <= std::min(m_state.ProblemCount, layout.problemCount()); ++k) {
        const int row = (k - 1) / layout.columns + 1;
        const int column = (k - 1) % layout.columns + 1;
        auto *number = new QLabel(QString::number(k), this);
        number->setObjectName(kNumberPrefix + QString::number(k));
        number->setFont(font);
        number->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        number->setGeometry(layout.numberRect(row, column));
        number->show();
    }
}


