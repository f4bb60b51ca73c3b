#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/ProblemCatalogue.h"
#include "app/ProblemDraw.h"
#include "app/SheetLayout.h"
#include "figures/LongDivision.h"
#include "platform/Controls.h"
#include "platform/Conversions.h"
#include "platform/ErrorBoundary.h"
#include "platform/Fonts.h"
#include "platform/Printer.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/Random.h"

#include <QMouseEvent>

#include <array>
#include <utility>

using namespace divisheet;

namespace {

const QString kProblemsTitle = QStringLiteral("解答値なし");
const QString kAnswersTitle = QStringLiteral("解答値あり");

} // namespace

TFormDivisheet::TFormDivisheet(QWidget *parent) : TFormDivisheet(Options{}, parent) {}

TFormDivisheet::TFormDivisheet(const Options &options, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TFormDivisheet>())
{
    setObjectName(QStringLiteral("FormDivisheet"));
    // Every control inherits the form's 12-pixel Gothic face unless its description
    // gives it another height.
    setFont(designFont(-12));
    ui->setupUi(this);
    m_quotientButtons = {{
        {ui->RadioButtonKotae1_9, QuotientClass::Q1_9},
        {ui->RadioButtonKotae10_90, QuotientClass::Q10_90},
        {ui->RadioButtonKotae11_99, QuotientClass::Q11_99},
        {ui->RadioButtonKotae100_900, QuotientClass::Q100_900},
        {ui->RadioButtonKotae101_909, QuotientClass::Q101_909},
        {ui->RadioButtonKotae110_990, QuotientClass::Q110_990},
        {ui->RadioButtonKotae111_999, QuotientClass::Q111_999},
    }};
    m_divisorButtons = {{
        {ui->RadioButtonWaruKotei, DivisorClass::Fixed},
        {ui->RadioButtonWaru1_9, DivisorClass::D1_9},
        {ui->RadioButtonWaru10_90, DivisorClass::D10_90},
        {ui->RadioButtonWaru11_99, DivisorClass::D11_99},
        {ui->RadioButtonWaru100_900, DivisorClass::D100_900},
        {ui->RadioButtonWaru101_909, DivisorClass::D101_909},
        {ui->RadioButtonWaru110_990, DivisorClass::D110_990},
        {ui->RadioButtonWaru111_999, DivisorClass::D111_999},
        {ui->RadioButtonWaru1000_9999, DivisorClass::D1000_9999},
    }};
    m_printerSetupDialog = new TPrinterSetupDialog(this);
    m_printerSetupDialog->setObjectName(QStringLiteral("PrinterSetupDialog1"));
    wireEvents();

    runHandler([this] { FormCreate(this); });
    if (options.dataCheck)
        ui->CheckBoxDataKakunin->show();
}

TFormDivisheet::~TFormDivisheet() = default;

template <typename Control, typename Signal>
void TFormDivisheet::wire(Control *control, Signal signal, Handler handler)
{
    connect(control, signal, this, [this, control, handler] {
        runHandler([this, control, handler] { (this->*handler)(control); });
    });
}

void TFormDivisheet::wireEvents()
{
    wire(ui->ButtonStart, &QPushButton::clicked, &TFormDivisheet::ButtonStartClick);
    wire(ui->ButtonKoushin, &QPushButton::clicked, &TFormDivisheet::ButtonKoushinClick);
    wire(ui->ButtonPrintOut, &QPushButton::clicked, &TFormDivisheet::ButtonPrintOutClick);
    wire(ui->ButtonPrinterSetup, &QPushButton::clicked, &TFormDivisheet::ButtonPrinterSetupClick);
    wire(ui->CheckBoxRuledLine, &TCheckBox::Click, &TFormDivisheet::CheckBoxRuledLineClick);
    wire(ui->ButtonRadioGroupBoxStartClose, &QPushButton::clicked,
         &TFormDivisheet::ButtonRadioGroupBoxStartCloseClick);
    wire(ui->RadioGroupAmari, &TRadioGroup::Click, &TFormDivisheet::RadioGroupAmariClick);
    wire(ui->CheckBoxDataKakunin, &TCheckBox::Click, &TFormDivisheet::CheckBoxDataKakuninClick);

    const std::pair<TRadioButton *, Handler> radioButtons[] = {
        {ui->RadioButtonWaruKotei, &TFormDivisheet::RadioButtonWaruKoteiClick},
        {ui->RadioButtonWaru1_9, &TFormDivisheet::RadioButtonWaru1_9Click},
        {ui->RadioButtonWaru10_90, &TFormDivisheet::RadioButtonWaru10_90Click},
        {ui->RadioButtonWaru11_99, &TFormDivisheet::RadioButtonWaru11_99Click},
        {ui->RadioButtonWaru100_900, &TFormDivisheet::RadioButtonWaru100_900Click},
        {ui->RadioButtonWaru101_909, &TFormDivisheet::RadioButtonWaru101_909Click},
        {ui->RadioButtonWaru110_990, &TFormDivisheet::RadioButtonWaru110_990Click},
        {ui->RadioButtonWaru111_999, &TFormDivisheet::RadioButtonWaru111_999Click},
        {ui->RadioButtonWaru1000_9999, &TFormDivisheet::RadioButtonWaru1000_9999Click},
        {ui->RadioButtonKotae1_9, &TFormDivisheet::RadioButtonKotae1_9Click},
        {ui->RadioButtonKotae10_90, &TFormDivisheet::RadioButtonKotae10_90Click},
        {ui->RadioButtonKotae11_99, &TFormDivisheet::RadioButtonKotae11_99Click},
        {ui->RadioButtonKotae100_900, &TFormDivisheet::RadioButtonKotae100_900Click},
        {ui->RadioButtonKotae101_909, &TFormDivisheet::RadioButtonKotae101_909Click},
        {ui->RadioButtonKotae110_990, &TFormDivisheet::RadioButtonKotae110_990Click},
        {ui->RadioButtonKotae111_999, &TFormDivisheet::RadioButtonKotae111_999Click},
    };
    for (const auto &[button, handler] : radioButtons)
        wire(button, &TRadioButton::Click, handler);

    wire(ui->SpinEditDan, &TSpinEdit::Change, &TFormDivisheet::SpinEditDanChange);

    wire(ui->ButtonRansuuHassei, &QPushButton::clicked, &TFormDivisheet::DataHassei);
    wire(ui->ButtonSentaku, &QPushButton::clicked, &TFormDivisheet::SuutiSentaku);
    wire(ui->ButtonByouga, &QPushButton::clicked, &TFormDivisheet::ComponentByouga);
    wire(ui->ButtonSakujo, &QPushButton::clicked, &TFormDivisheet::ComponentSakujo);
    wire(ui->ButtonStringGridListClear, &QPushButton::clicked, &TFormDivisheet::StringGridListClear);
    wire(ui->ButtonStringGridDataClear, &QPushButton::clicked, &TFormDivisheet::StringGridDataClear);
}

void TFormDivisheet::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the form's free area makes a new sheet; a double click on a figure or a
    // control belongs to that control.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        runHandler([this] { FormDblClick(this); });
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

// ---------------------------------------------------------------------------------------
// Start-up and the header

void TFormDivisheet::FormCreate(QObject *)
{
    move(0, 0);
    ui->PanelDataKakunin->hide();
    ui->CheckBoxDataKakunin->hide();

    TStringGrid *list = ui->StringGridList;
    list->beginUpdate();
    list->setRowCount(5);
    list->setColCount(10001);
    list->setColWidth(0, 60);
    const QString listTitles[] = {QStringLiteral("残問題数"), QStringLiteral("答"),
                                  QStringLiteral("割る数"), QStringLiteral("余"),
                                  QStringLiteral("割られる数")};
    for (int row = 0; row < 5; ++row)
        list->setCell(0, row, listTitles[row]);
    for (int n = 1; n <= 10000; ++n)
        list->setCellNumber(n, 0, n);
    // Placeholders until the first catalogue replaces them.
    for (int c = 1; c <= 100; ++c) {
        list->setCellNumber(c, 1, (c - 1) / 10);
        list->setCellNumber(c, 2, c);
    }
    list->endUpdate();

    m_state.FigureFontSize = 30;
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    m_state.FigureRows = 2;
    m_state.FigureColumns = 5;

    TStringGrid *data = ui->StringGridData;
    data->beginUpdate();
    data->setColWidth(0, 60);
    const QString dataTitles[] = {QStringLiteral("答"), QStringLiteral("割る数"),
                                  QStringLiteral("余り"), QStringLiteral("割られる数")};
    for (int row = 1; row <= 4; ++row)
        data->setCell(0, row, dataTitles[row - 1]);
    data->setColCount(m_state.FigureRows * m_state.FigureColumns + 1);
    data->setRowCount(5);
    for (int n = 1; n <= 30; ++n)
        data->setCellNumber(n, 0, n);
    data->endUpdate();

    ui->RadioButtonWaruKotei->setChecked(true);
    ui->RadioButtonKotae1_9->setChecked(true);
    ui->LabelProjectName->setCaption(windowTitle());
    ui->RadioGroupAmari->setItemIndex(0);
    ui->SpinEditDan->setValue(2);

    m_state.FixedDivisorText = IntToStr(ui->SpinEditDan->value());
    m_state.DivisorCaption = m_state.FixedDivisorText + QStringLiteral("で固定");
    m_state.QuotientCaption = QStringLiteral("?");
    m_state.RemainderCaption = QStringLiteral("なし");
    m_state.FrameCaption = QStringLiteral("表示");

    LabelHyoudaiHyouji(this);
    DataHsseiSuutiSentakuComponentByouga(this);

    ui->PanelButtons->raise();
    ui->GroupBoxStart->raise();
}

void TFormDivisheet::LabelHyoudaiHyouji(QObject *)
{
    ui->LabelHyoudai->setCaption(QStringLiteral("枠線:") + m_state.FrameCaption
                                 + QStringLiteral(" ,割る数:") + m_state.DivisorCaption
                                 + QStringLiteral(" ,答:") + m_state.QuotientCaption
                                 + QStringLiteral(" ,余り:") + m_state.RemainderCaption);
}

// ---------------------------------------------------------------------------------------
// Making a sheet

void TFormDivisheet::DataHsseiSuutiSentakuComponentByouga(QObject *Sender)
{
    DataHassei(Sender);
    SuutiSentaku(Sender);
    ComponentByouga(Sender);
}

void TFormDivisheet::ButtonKoushinClick(QObject *Sender)
{
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
    ui->PanelButtons->raise();
    ui->GroupBoxStart->raise();
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::FormDblClick(QObject *Sender)
{
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
}

ProblemSettings TFormDivisheet::currentSettings() const
{
    ProblemSettings settings{QuotientClass::Q1_9, DivisorClass::Fixed, ui->SpinEditDan->value(),
                             ui->RadioGroupAmari->itemIndex() != 0};
    for (const auto &[button, quotientClass] : m_quotientButtons) {
        if (button->isChecked())
            settings.quotient = quotientClass;
    }
    for (const auto &[button, divisorClass] : m_divisorButtons) {
        if (button->isChecked())
            settings.divisor = divisorClass;
    }
    return settings;
}

void TFormDivisheet::DataHassei(QObject *)
{
    const ProblemSettings settings = currentSettings();
    TRandom &random = TRandom::global();
    if (isRandomCatalogue(settings))
        random.randomize();

    TStringGrid *list = ui->StringGridList;
    list->beginUpdate();
    const int count = enumeratedCount(settings);
    list->setColCount(count + 1);
    int column = 0;
    forEachCatalogueProblem(settings, random, [list, &column](const Problem &problem) {
        ++column;
        list->setCellNumber(column, 0, column);
        list->setCellNumber(column, 1, problem.quotient);
        list->setCellNumber(column, 2, problem.divisor);
        list->setCellNumber(column, 3, problem.remainder);
        list->setCellNumber(column, 4, problem.dividend);
    });
    list->setColCount(column + 1);
    list->endUpdate();

    const SheetShape shape = sheetShape(settings);
    m_state.FigureRows = shape.rows;
    m_state.FigureColumns = shape.columns;
    m_state.ProblemCount = shape.problemCount();

    list->setCol(column);
}

void TFormDivisheet::SuutiSentaku(QObject *)
{
    TRandom &random = TRandom::global();
    random.randomize();
    if (m_state.ProblemCount <= 0)
        return;

    TStringGrid *list = ui->StringGridList;
    TStringGrid *data = ui->StringGridData;
    // An exhausted catalogue ends the draw; the columns it could not fill keep what
    // they held.
    const std::vector<int> positions =
        drawPositions(list->colCount() - 1, m_state.ProblemCount, random);
    list->beginUpdate();
    data->beginUpdate();
    int k = 0;
    for (const int j : positions) {
        ++k;
        const int problemsLeft = list->colCount() - 1;
        for (int row = 0; row <= 4; ++row)
            data->setCell(k, row, list->cell(j, row));
        list->shiftColumnsLeft(j + 1, problemsLeft);
        list->setColCount(problemsLeft);
    }
    data->endUpdate();
    list->endUpdate();
}

// ---------------------------------------------------------------------------------------
// Placing the figures

void TFormDivisheet::ComponentByouga(QObject *Sender)
{
    ComponentSakujo(Sender);
    m_state.PlacedColumns = m_state.FigureColumns;
    m_state.PlacedRows = m_state.FigureRows;
    const CellSize cell =
        sheetCellSize(outerSize(this), m_state.FigureRows, m_state.FigureColumns);
    m_state.CellWidth = cell.width;
    m_state.CellHeight = cell.height;

    TStringGrid *data = ui->StringGridData;
    data->setColCount(m_state.FigureRows * m_state.FigureColumns + 1);

    int k = 1;
    for (int row = 1; row <= m_state.FigureRows; ++row) {
        for (int column = 1; column <= m_state.FigureColumns; ++column) {
            const int divisor = StrToInt(data->cell(k, 2));
            const int dividend = StrToInt(data->cell(k, 4));
            const QPoint topLeft = cellTopLeft(cell, row, column);
            CreateComponent(column, row, topLeft.x(), topLeft.y(), kFigureStartWidth,
                            kFigureStartHeight, divisor, dividend, m_state.IntegerShowSetting);
            ++k;
            if (k > m_state.ProblemCount)
                return;
        }
    }
}

void TFormDivisheet::CreateComponent(int Column, int Row, int Left, int Top, int Width,
                                     int Height, int Divisor, int Dividend,
                                     TTypeIntegerShow IntegerShow)
{
    const QString name = figureName(figureNumber(Row, Column, m_state.FigureColumns));
    if (findComponent(this, name))
        return;
    auto *figure = new TLongDivision(this);
    figure->setGeometry(Left, Top, Width, Height);
    figure->setObjectName(name);
    figure->setFontSize(m_state.FigureFontSize);
    figure->setValueIntegerWarareru(Dividend);
    figure->setValueIntegerWaru(Divisor);
    figure->setTypeFrameShow(m_state.FrameShowSetting);
    figure->setTypeIntegerShow(IntegerShow);
    figure->show();
}

void TFormDivisheet::ComponentSakujo(QObject *)
{
    for (int row = 1; row <= m_state.PlacedRows; ++row) {
        for (int column = 1; column <= m_state.PlacedColumns; ++column) {
            const QString name = figureName(figureNumber(row, column, m_state.PlacedColumns));
            delete findComponent<TLongDivision>(this, name);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Buttons and check boxes

void TFormDivisheet::CheckBoxRuledLineClick(QObject *Sender)
{
    const bool checked = ui->CheckBoxRuledLine->isChecked();
    m_state.FrameCaption = checked ? QStringLiteral("表示") : QStringLiteral("非表示");
    LabelHyoudaiHyouji(Sender);
    m_state.FrameShowSetting = checked ? fsShow : fsHide;
    ComponentSakujo(Sender);
    ComponentByouga(Sender);
    ui->GroupBoxStart->raise();
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
    try {
        printSheets(Sender);
    } catch (...) {
        // A printer that fails must not leave the user without the buttons.
        showControlsAfterPrinting();
        throw;
    }
    showControlsAfterPrinting();
}

void TFormDivisheet::printSheets(QObject *Sender)
{
    if (ui->CheckBoxDataKakunin->isChecked()) {
        ui->PanelDataKakunin->hide();
        ui->CheckBoxDataKakunin->setChecked(false);
    }

    TPrinter &printer = TPrinter::global();
    printer.setOrientation(QPageLayout::Landscape);

    ComponentSakujo(Sender);
    DataHassei(Sender);
    SuutiSentaku(Sender);

    m_state.IntegerShowSetting = isHide;
    ComponentByouga(Sender);
    printer.setTitle(windowTitle() + kProblemsTitle);
    printer.setFileTag(kProblemsTitle);
    printer.printFormImage(this);

    if (ui->CheckBoxPrintAnswer->isChecked()) {
        ComponentSakujo(Sender);
        m_state.IntegerShowSetting = isShow;
        ComponentByouga(Sender);
        printer.setTitle(windowTitle() + kAnswersTitle);
        printer.setFileTag(kAnswersTitle);
        printer.printFormImage(this);
    }

    FormDblClick(Sender);
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

// ---------------------------------------------------------------------------------------
// The settings panel

void TFormDivisheet::RadioGroupAmariClick(QObject *Sender)
{
    const int item = ui->RadioGroupAmari->itemIndex();
    if (item == 0) {
        ui->SpinEditDan->setMinValue(1);
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
    for (const auto &[button, quotientClass] : m_quotientButtons)
        button->setEnabled(isAllowedCombination(quotientClass, divisorClass));
    m_state.DivisorCaption = divisorCaption(divisorClass, ui->SpinEditDan->value());
    LabelHyoudaiHyouji(this);
}

void TFormDivisheet::quotientClassClicked(QuotientClass quotientClass)
{
    // The fixed divisor combines with every quotient class and is never disabled.
    for (const auto &[button, divisorClass] : m_divisorButtons) {
        if (divisorClass != DivisorClass::Fixed)
            button->setEnabled(isAllowedCombination(quotientClass, divisorClass));
    }
    m_state.QuotientCaption = divisheet::quotientCaption(quotientClass);
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

// ---------------------------------------------------------------------------------------
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
    ui->StringGridList->setCol(ui->StringGridList->colCount() - 1);
}

void TFormDivisheet::StringGridListClear(QObject *)
{
    TStringGrid *list = ui->StringGridList;
    list->beginUpdate();
    for (int column = 1; column <= m_state.ProblemCount; ++column) {
        for (int row = 0; row <= 4; ++row)
            list->setCell(column, row, QString());
    }
    list->endUpdate();
}

void TFormDivisheet::StringGridDataClear(QObject *)
{
    TStringGrid *data = ui->StringGridData;
    data->beginUpdate();
    for (int column = 1; column <= m_state.ProblemCount; ++column) {
        for (int row = 0; row <= 4; ++row)
            data->setCell(column, row, QString());
    }
    data->endUpdate();
}
