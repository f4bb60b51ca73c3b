#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/ClassSetDialog.h"
#include "app/DataCheckGrids.h"
#include "app/PageOptionsDialog.h"
#include "app/PracticeFocusDialog.h"
#include "app/SettingsPanel.h"
#include "app/SheetPages.h"
#include "platform/Conversions.h"
#include "platform/Printer.h"
#include "platform/PrinterSetupDialog.h"

#include <QScopeGuard>

// The window's controls: its buttons, the settings panel and the data-check panel. Each
// handler changes a setting or hands a sheet to paper; making and placing sheets is the
// window's own (UnitDivisheet.cpp), which calls nothing here.

using namespace divisheet;

// Buttons and check boxes

void TFormDivisheet::CheckBoxRuledLineClick(QObject *Sender)
{
    const bool checked = ui->CheckBoxRuledLine->isChecked();
    m_state.FrameCaption = checked ? QStringLiteral("表示") : QStringLiteral("非表示");
    LabelHyoudaiHyouji(Sender);
    m_state.FrameShowSetting = checked ? fsShow : fsHide;
    ComponentSakujo(Sender);
    ComponentByouga(Sender);
}

void TFormDivisheet::ButtonStartClick(QObject *)
{
    ui->ButtonStart->hide();
    ui->GroupBoxStart->show();
}

void TFormDivisheet::ButtonRadioGroupBoxStartCloseClick(QObject *)
{
    ui->GroupBoxStart->hide();
    ui->ButtonStart->show();
}

void TFormDivisheet::ButtonPageOptionsClick(QObject *)
{
    TPageOptionsDialog dialog(m_pageOptions, currentSettings(), this);
    if (dialog.exec() == QDialog::Accepted)
        setPageOptions(dialog.options());
}

void TFormDivisheet::ButtonPracticeFocusClick(QObject *)
{
    TPracticeFocusDialog dialog(m_focus, panelSettings(*ui), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const std::optional<ProblemSettings> lesson = dialog.lessonSettings())
        setPanelSettings(*lesson);
    setPracticeFocus(dialog.focus());
}

void TFormDivisheet::ButtonSavePdfClick(QObject *)
{
    const std::optional<SheetRecipe> recipe = sheetRecipe();
    const QString file = m_chooseSaveFile(this, QStringLiteral("PDF保存"),
                                          suggestedPdfPath(recipe ? encodeSheetCode(*recipe) : QString()));
    // The file dialog has asked before a file of that name is replaced.
    if (!file.isEmpty())
        writeSheetsPdf({screenSheet()}, file, TWholeFile::Existing::Replace, paperFormat());
}

void TFormDivisheet::ButtonClassSetClick(QObject *)
{
    TClassSetDialog dialog(this, m_chooseSaveFile, suggestedPdfPath(QString()), ui->CheckBoxPrintAnswer->isChecked());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ClassSetRequest request = dialog.request();
    if (!request.code)
        refuseUnfitFocus();
    const std::vector<Sheet> sheets = makeSheets(
        request.code ? codeRequest(*request.code, m_pageOptions.title)
                     : classSetRequest(currentSettings(), m_pageOptions, m_state.FrameShowSetting == fsShow,
                                       request.answersIncluded, m_seedSource(), request.count));
    deliverClassSet(this, sheets, request.fileName, windowTitle());
}

// Printing

void TFormDivisheet::ButtonPrinterSetupClick(QObject *)
{
    m_printerSetupDialog->Execute();
}

void TFormDivisheet::ButtonPrintOutClick(QObject *Sender)
{
    refuseUnfitFocus();
    LabelHyoudaiHyouji(Sender);
    for (QWidget *control : printingControls())
        control->hide();
    // A printer that fails must not leave the user without the buttons.
    const auto controlsBack = qScopeGuard([this] { showControlsAfterPrinting(); });
    if (ui->CheckBoxDataKakunin->isChecked()) {
        ui->PanelDataKakunin->hide();
        ui->CheckBoxDataKakunin->setChecked(false);
    }
    printPages(Sender);
    FormDblClick(Sender);
}

// A new sheet on paper: its problems page and, when asked for, its answers page, each laid
// out as on the designed window whatever the window's size on screen, under the header
// line the window shows. The window's next sheets show what the last page showed.
void TFormDivisheet::printPages(QObject *Sender)
{
    DataHassei(Sender);
    SuutiSentaku(Sender);
    recordSheetRecipe();
    PaperFormat format = paperFormat();
    format.settingsLine = ui->LabelHyoudai->caption();
    m_state.IntegerShowSetting = isHide;
    const Sheet sheet = screenSheet();
    printSheets({sheet}, TPrinter::global(), windowTitle(), format);
    if (sheet.answersIncluded)
        m_state.IntegerShowSetting = isShow;
}

// The controls that printing hides: its buttons and the panels they stand on.
std::array<QWidget *, 5> TFormDivisheet::printingControls() const
{
    return {ui->ButtonPrintOut, ui->ButtonPrinterSetup, ui->ButtonKoushin, ui->GroupBoxStart, ui->PanelButtons};
}

void TFormDivisheet::showControlsAfterPrinting()
{
    for (QWidget *control : printingControls())
        control->show();
    ui->PanelButtons->raise();
    ui->GroupBoxStart->raise();
}

// The settings panel

void TFormDivisheet::RadioGroupAmariClick(QObject *Sender)
{
    const int item = ui->RadioGroupAmari->itemIndex();
    if (item == 0) {
        ui->SpinEditDan->setMinValue(1);
        m_focus.mixedRemainder = false; // a sheet without remainders mixes none in
    } else if (item == 1) {
        ui->SpinEditDan->setMinValue(2);
        // A fixed divisor of 1 has no problem with a remainder: raise it at once rather
        // than let the next sheet come out empty.
        if (ui->SpinEditDan->value() < 2)
            ui->SpinEditDan->setValue(2);
    }
    if (item >= 0)
        m_state.RemainderCaption = ui->RadioGroupAmari->items().value(item);
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::setPracticeFocus(const PracticeFocus &focus)
{
    m_focus = focus;
    if (focus.mixedRemainder)
        ui->RadioGroupAmari->setItemIndex(1);
}

// Clicks the classes as a user would, so that each click leaves the classes that go with it
// enabled: first the fixed divisor, which goes with every quotient class, then the quotient,
// then the divisor.
void TFormDivisheet::setPanelSettings(const ProblemSettings &settings)
{
    ui->RadioButtonWaruKotei->click();
    using Kind = std::variant<DivisorClass, QuotientClass>;
    for (const Kind kind : {Kind(settings.quotient), Kind(settings.divisor)}) {
        for (const ClassButton &entry : kClassButtons) {
            if (entry.kind == kind)
                (ui.get()->*entry.button)->click();
        }
    }
    ui->RadioGroupAmari->setItemIndex(settings.withRemainder ? 1 : 0);
    ui->SpinEditDan->setValue(settings.fixedDivisor);
}

void TFormDivisheet::SpinEditDanChange(QObject *Sender)
{
    m_state.FixedDivisorText = IntToStr(ui->SpinEditDan->value());
    // The title follows the spin edit at once while the divisor is the fixed one.
    if (ui->RadioButtonWaruKotei->isChecked())
        m_state.DivisorCaption = divisorCaption(DivisorClass::Fixed, ui->SpinEditDan->value());
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::divisorClassClicked(DivisorClass divisorClass)
{
    enableMatchingClasses(*ui, divisorClass);
    m_state.DivisorCaption = divisorCaption(divisorClass, ui->SpinEditDan->value());
    LabelHyoudaiHyouji(this);
}

void TFormDivisheet::quotientClassClicked(QuotientClass quotientClass)
{
    enableMatchingClasses(*ui, quotientClass);
    m_state.QuotientCaption = quotientCaption(quotientClass);
    LabelHyoudaiHyouji(this);
}

void TFormDivisheet::RadioButtonWaruKoteiClick(QObject *) { divisorClassClicked(DivisorClass::Fixed); }
void TFormDivisheet::RadioButtonWaru1_9Click(QObject *) { divisorClassClicked(DivisorClass::D1_9); }
void TFormDivisheet::RadioButtonWaru10_90Click(QObject *) { divisorClassClicked(DivisorClass::D10_90); }
void TFormDivisheet::RadioButtonWaru11_99Click(QObject *) { divisorClassClicked(DivisorClass::D11_99); }
void TFormDivisheet::RadioButtonWaru100_900Click(QObject *) { divisorClassClicked(DivisorClass::D100_900); }
void TFormDivisheet::RadioButtonWaru101_909Click(QObject *) { divisorClassClicked(DivisorClass::D101_909); }
void TFormDivisheet::RadioButtonWaru110_990Click(QObject *) { divisorClassClicked(DivisorClass::D110_990); }
void TFormDivisheet::RadioButtonWaru111_999Click(QObject *) { divisorClassClicked(DivisorClass::D111_999); }
void TFormDivisheet::RadioButtonWaru1000_9999Click(QObject *) { divisorClassClicked(DivisorClass::D1000_9999); }
void TFormDivisheet::RadioButtonKotae1_9Click(QObject *) { quotientClassClicked(QuotientClass::Q1_9); }
void TFormDivisheet::RadioButtonKotae10_90Click(QObject *) { quotientClassClicked(QuotientClass::Q10_90); }
void TFormDivisheet::RadioButtonKotae11_99Click(QObject *) { quotientClassClicked(QuotientClass::Q11_99); }
void TFormDivisheet::RadioButtonKotae100_900Click(QObject *) { quotientClassClicked(QuotientClass::Q100_900); }
void TFormDivisheet::RadioButtonKotae101_909Click(QObject *) { quotientClassClicked(QuotientClass::Q101_909); }
void TFormDivisheet::RadioButtonKotae110_990Click(QObject *) { quotientClassClicked(QuotientClass::Q110_990); }
void TFormDivisheet::RadioButtonKotae111_999Click(QObject *) { quotientClassClicked(QuotientClass::Q111_999); }

// The data-check panel

void TFormDivisheet::CheckBoxDataKakuninClick(QObject *Sender)
{
    if (ui->CheckBoxDataKakunin->isChecked()) {
        ComponentSakujo(Sender);
        ui->PanelDataKakunin->show();
        ui->PanelDataKakunin->raise();
    } else {
        ui->PanelDataKakunin->hide();
        ComponentByouga(Sender);
    }
    keepPanelsInside();
    ui->StringGridList->setCol(ui->StringGridList->colCount() - 1);
}

void TFormDivisheet::StringGridListClear(QObject *)
{
    clearProblems(ui->StringGridList, m_state.ProblemCount);
}

void TFormDivisheet::StringGridDataClear(QObject *)
{
    clearProblems(ui->StringGridData, m_state.ProblemCount);
}
