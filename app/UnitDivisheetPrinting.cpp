#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "sheet/SheetLayout.h"
#include "platform/Controls.h"
#include "platform/Printer.h"
#include "platform/PrinterSetupDialog.h"

#include <QPainter>
#include <QScopeGuard>

// Printing the worksheet from the main form.

using namespace divisheet;

namespace {

const QString kProblemsTitle = QStringLiteral("解答値なし");
const QString kAnswersTitle = QStringLiteral("解答値あり");

// The printed page: the form's visible controls drawn at their places on a white
// surface of the designed window's client size, so that a page never depends on the
// size of the window on screen. It is never shown; it only paints when rendered.
class SheetPaper : public QWidget
{
public:
    SheetPaper(QWidget *form, QSize size) : m_form(form)
    {
        setAttribute(Qt::WA_DontShowOnScreen);
        setAutoFillBackground(true);
        setPalette(form->palette());
        resize(size);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        for (QObject *object : m_form->children()) {
            auto *control = qobject_cast<QWidget *>(object);
            if (control && !control->isWindow() && control->isVisibleTo(m_form))
                control->render(&painter, control->pos(), QRegion(),
                                QWidget::DrawWindowBackground | QWidget::DrawChildren);
        }
    }

private:
    QWidget *m_form;
};

} // namespace

void TFormDivisheet::ButtonPrinterSetupClick(QObject *)
{
    m_printerSetupDialog->Execute();
}

void TFormDivisheet::ButtonPrintOutClick(QObject *Sender)
{
    LabelHyoudaiHyouji(Sender);
    ui->ButtonPrintOut->hide();
    ui->ButtonPrinterSetup->hide();
    ui->ButtonKoushin->hide();
    ui->GroupBoxStart->hide();
    ui->PanelButtons->hide();
    // A printer that fails must not leave the user without the buttons.
    const auto controlsBack = qScopeGuard([this] { showControlsAfterPrinting(); });
    if (ui->CheckBoxDataKakunin->isChecked()) {
        ui->PanelDataKakunin->hide();
        ui->CheckBoxDataKakunin->setChecked(false);
    }
    printPages(Sender);
    FormDblClick(Sender);
}

// The problems page and, when asked for, the answers page, each laid out as on the
// designed window whatever the window's size on screen.
void TFormDivisheet::printPages(QObject *Sender)
{
    TPrinter &printer = TPrinter::global();
    printer.setOrientation(QPageLayout::Landscape);
    std::vector<QWidget *> hidden;
    const std::unique_ptr<QWidget> paper = openPaper(hidden);
    const auto screenSizeBack = qScopeGuard([this, &hidden] { closePaper(hidden); });

    ComponentSakujo(Sender);
    DataHassei(Sender);
    SuutiSentaku(Sender);
    recordSheetRecipe();
    m_state.IntegerShowSetting = isHide;
    ComponentByouga(Sender);
    printer.setTitle(windowTitle() + kProblemsTitle);
    printer.setFileTag(kProblemsTitle);
    printer.printFormImage(paper.get());

    if (ui->CheckBoxPrintAnswer->isChecked()) {
        ComponentSakujo(Sender);
        m_state.IntegerShowSetting = isShow;
        ComponentByouga(Sender);
        printer.setTitle(windowTitle() + kAnswersTitle);
        printer.setFileTag(kAnswersTitle);
        printer.printFormImage(paper.get());
    }
}

// Pages are laid out for the designed window, without the controls that never reach
// paper; the page's surface draws what the form shows.
std::unique_ptr<QWidget> TFormDivisheet::openPaper(std::vector<QWidget *> &hidden)
{
    for (QWidget *control : {static_cast<QWidget *>(ui->PanelButtons), static_cast<QWidget *>(ui->GroupBoxStart),
                             static_cast<QWidget *>(ui->PanelDataKakunin)}) {
        if (!control->isHidden()) {
            control->hide();
            hidden.push_back(control);
        }
    }
    m_paperOuterSize = m_designOuterSize;
    return std::make_unique<SheetPaper>(this, clientSizeFor(m_designOuterSize, outerSize(this) - size()));
}

void TFormDivisheet::closePaper(const std::vector<QWidget *> &hidden)
{
    m_paperOuterSize.reset();
    LabelHyoudaiHyouji(this);
    placeSheetCodeLabel();
    for (QWidget *control : hidden)
        control->show();
    raisePanels();
}

void TFormDivisheet::showControlsAfterPrinting()
{
    ui->GroupBoxStart->show();
    ui->ButtonPrinterSetup->show();
    ui->ButtonPrintOut->show();
    ui->ButtonKoushin->show();
    ui->PanelButtons->show();
    ui->PanelButtons->raise();
    ui->GroupBoxStart->raise();
}
