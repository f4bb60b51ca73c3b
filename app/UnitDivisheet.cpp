#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/SheetPages.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/ProblemDraw.h"
#include "sheet/SheetLayout.h"
#include "figures/LongDivision.h"
#include "platform/Controls.h"
#include "platform/Conversions.h"
#include "platform/ErrorBoundary.h"
#include "platform/Fonts.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/Random.h"

#include <QAbstractItemDelegate>
#include <QScopeGuard>

#include <algorithm>

using namespace divisheet;
using F = TFormDivisheet;

TFormDivisheet::TFormDivisheet(QWidget *parent) : TFormDivisheet(Options{}, parent) {}

TFormDivisheet::TFormDivisheet(const Options &options, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TFormDivisheet>()), m_chooseSaveFile(choosePdfFile)
{
    setObjectName(QStringLiteral("FormDivisheet"));
    // Every control inherits the form's 12-pixel Gothic face unless its description
    // gives it another height.
    setFont(designFont(-12));
    ui->setupUi(this);
    // The form describes the window's outer size; until a window manager frames the
    // window, the client area is given all of it.
    m_designOuterSize = size();
    m_printerSetupDialog = new TPrinterSetupDialog(this);
    m_printerSetupDialog->setObjectName(QStringLiteral("PrinterSetupDialog1"));
    wireEvents();

    runHandler([this] { FormCreate(this); });
    if (options.dataCheck)
        ui->CheckBoxDataKakunin->show();
}

TFormDivisheet::~TFormDivisheet()
{
    // The controls outlive this destructor by a little (QWidget frees them), and some
    // still signal as they go: a spin edit holding typed text finishes its editing when
    // it loses the focus. None of that may reach the form any more.
    for (QObject *control : findChildren<QObject *>())
        disconnect(control, nullptr, this, nullptr);
}

template <typename Control, typename Signal>
void TFormDivisheet::wire(Control *control, Signal signal, Handler handler, Commit commit)
{
    connect(control, signal, this, [this, control, handler, commit] {
        runHandler([this, control, handler, commit] {
            if (commit == Commit::Typed)
                commitTypedSettings();
            (this->*handler)(control);
        });
    });
}

void TFormDivisheet::wireClick(TRadioButton *button, Handler handler)
{
    wire(button, &TRadioButton::Click, handler);
}

void TFormDivisheet::wireEvents()
{
    // Everything that makes a new sheet first commits what was typed into the spin edit,
    // exactly as leaving it would; a button clicked with the mouse has done so already.
    const Commit typed = Commit::Typed;
    wire(ui->ButtonStart, &QPushButton::clicked, &F::ButtonStartClick);
    wire(ui->ButtonKoushin, &QPushButton::clicked, &F::ButtonKoushinClick, typed);
    wire(ui->ButtonPrintOut, &QPushButton::clicked, &F::ButtonPrintOutClick, typed);
    wire(ui->ButtonPrinterSetup, &QPushButton::clicked, &F::ButtonPrinterSetupClick);
    wire(ui->ButtonSavePdf, &QPushButton::clicked, &F::ButtonSavePdfClick, typed);
    wire(ui->ButtonClassSet, &QPushButton::clicked, &F::ButtonClassSetClick, typed);
    wire(ui->ButtonPageOptions, &QPushButton::clicked, &F::ButtonPageOptionsClick);
    wire(ui->CheckBoxRuledLine, &TCheckBox::Click, &F::CheckBoxRuledLineClick);
    wire(ui->ButtonRadioGroupBoxStartClose, &QPushButton::clicked, &F::ButtonRadioGroupBoxStartCloseClick);
    wire(ui->RadioGroupAmari, &TRadioGroup::Click, &F::RadioGroupAmariClick);
    wire(ui->CheckBoxDataKakunin, &TCheckBox::Click, &F::CheckBoxDataKakuninClick, typed);
    wireClassButtons();
    wire(ui->SpinEditDan, &TSpinEdit::Change, &F::SpinEditDanChange);

    // The code tells how the regeneration made the sheet; a sheet that went through the
    // data-check panel's buttons or was typed into its grid was not made that way. (These
    // connections come first, so they run before the buttons' handlers.)
    for (QPushButton *button : {ui->ButtonRansuuHassei, ui->ButtonSentaku, ui->ButtonByouga, ui->ButtonSakujo,
                                ui->ButtonStringGridListClear, ui->ButtonStringGridDataClear})
        connect(button, &QPushButton::clicked, this, &F::forgetSheetCode);
    connect(ui->StringGridData->itemDelegate(), &QAbstractItemDelegate::commitData, this, &F::forgetSheetCode);
    // The code says whether the answers page comes with the sheet.
    connect(ui->CheckBoxPrintAnswer, &QCheckBox::toggled, this, &F::showSheetCode);

    wire(ui->ButtonRansuuHassei, &QPushButton::clicked, &F::DataHassei, typed);
    wire(ui->ButtonSentaku, &QPushButton::clicked, &F::SuutiSentaku, typed);
    wire(ui->ButtonByouga, &QPushButton::clicked, &F::ComponentByouga, typed);
    wire(ui->ButtonSakujo, &QPushButton::clicked, &F::ComponentSakujo, typed);
    wire(ui->ButtonStringGridListClear, &QPushButton::clicked, &F::StringGridListClear);
    wire(ui->ButtonStringGridDataClear, &QPushButton::clicked, &F::StringGridDataClear);
}

// ---------------------------------------------------------------------------------------
// Start-up and the header

void TFormDivisheet::FormCreate(QObject *)
{
    move(0, 0);
    ui->PanelDataKakunin->hide();
    ui->CheckBoxDataKakunin->hide();
    fillListGrid();
    m_state.FigureFontSize = 30;
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    createPageControls();
    m_state.FigureRows = 2;
    m_state.FigureColumns = 5;
    fillDataGrid();
    setDefaultSettings();
    placeSheetCodeLabel();
    setTitleTexts();
    LabelHyoudaiHyouji(this);
    DataHsseiSuutiSentakuComponentByouga(this);
    raisePanels();
    keepPanelsInside();
}

// Fixed divisor 2, quotients 1..9, no remainder. Each setting runs its control's click
// handler, which leaves the enabled states and the spin edit's minimum behind.
void TFormDivisheet::setDefaultSettings()
{
    ui->RadioButtonWaruKotei->setChecked(true);
    ui->RadioButtonKotae1_9->setChecked(true);
    ui->LabelProjectName->setCaption(windowTitle());
    ui->RadioGroupAmari->setItemIndex(0);
    ui->SpinEditDan->setValue(2);
}

// The title texts of the defaults, replacing what the click handlers put there.
void TFormDivisheet::setTitleTexts()
{
    m_state.FixedDivisorText = IntToStr(ui->SpinEditDan->value());
    m_state.DivisorCaption = m_state.FixedDivisorText + QStringLiteral("で固定");
    m_state.QuotientCaption = QStringLiteral("?");
    m_state.RemainderCaption = QStringLiteral("なし");
    m_state.FrameCaption = QStringLiteral("表示");
}

namespace {

QString titleLine(const QString &frame, const QString &divisor, const QString &quotient, const QString &remainder)
{
    return QStringLiteral("枠線:") + frame + QStringLiteral(" ,割る数:") + divisor + QStringLiteral(" ,答:")
        + quotient + QStringLiteral(" ,余り:") + remainder;
}

} // namespace

void TFormDivisheet::LabelHyoudaiHyouji(QObject *)
{
    ui->LabelHyoudai->setCaption(titleLine(m_state.FrameCaption, m_state.DivisorCaption, m_state.QuotientCaption,
                                           m_state.RemainderCaption));
}

// The header of a page on paper describes that page's sheet, which need not be what the
// settings panel (and so the window's header) holds by then: the panel may have changed
// since the sheet was made, or a set or a code brings settings of its own.
void TFormDivisheet::showSheetTitleLine(const ProblemSettings &settings, bool framesShown)
{
    const QString remainder = settings.withRemainder ? ui->RadioGroupAmari->items().value(1) : QStringLiteral("なし");
    ui->LabelHyoudai->setCaption(titleLine(framesShown ? QStringLiteral("表示") : QStringLiteral("非表示"),
                                           divisorCaption(settings.divisor, settings.fixedDivisor),
                                           quotientCaption(settings.quotient), remainder));
}

// ---------------------------------------------------------------------------------------
// Making a sheet

void TFormDivisheet::DataHsseiSuutiSentakuComponentByouga(QObject *Sender)
{
    DataHassei(Sender);
    SuutiSentaku(Sender);
    recordSheetRecipe();
    ComponentByouga(Sender);
}

void TFormDivisheet::ButtonKoushinClick(QObject *Sender)
{
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::FormDblClick(QObject *Sender)
{
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
}

void TFormDivisheet::DataHassei(QObject *)
{
    const ProblemSettings settings = currentSettings();
    TRandom &random = TRandom::global();
    m_catalogueSettings = settings;
    m_seeds.catalogueSeed = 0;
    if (isRandomCatalogue(settings)) {
        random.randomize();
        m_seeds.catalogueSeed = random.seed();
    }

    // The page's options take effect here, at the new sheet, like the settings.
    m_sheetPageOptions = m_pageOptions;
    const int randomCount = randomCatalogueCount(settings, m_sheetPageOptions);

    TStringGrid *list = ui->StringGridList;
    list->beginUpdate();
    const int count = enumeratedCount(settings, randomCount);
    list->setColCount(count + 1);
    int column = 0;
    forEachCatalogueProblem(settings, random, [list, &column](const Problem &problem) {
        ++column;
        list->setCellNumber(column, 0, column);
        list->setCellNumber(column, 1, problem.quotient);
        list->setCellNumber(column, 2, problem.divisor);
        list->setCellNumber(column, 3, problem.remainder);
        list->setCellNumber(column, 4, problem.dividend);
    }, randomCount);
    list->setColCount(column + 1);
    list->endUpdate();

    const PageLayout grid = sheetGrid(settings, m_sheetPageOptions);
    m_state.FigureRows = grid.rows;
    m_state.FigureColumns = grid.columns;
    m_state.ProblemCount = grid.problemCount();
    m_state.FigureFontSize = quint8(grid.fontSize);
    if (m_sheetPageOptions.more) // a smaller catalogue gives what it has
        m_state.ProblemCount = std::min(m_state.ProblemCount, column);

    list->setCol(column);
}

void TFormDivisheet::SuutiSentaku(QObject *)
{
    TRandom &random = TRandom::global();
    random.randomize();
    m_seeds.drawSeed = random.seed();
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
    // Whatever placed the figures, and however far it got, the panels stay usable.
    const PageLayout layout = sheetPageLayout();
    const auto panelsOnTop = qScopeGuard([this, layout] {
        placeNumbers(layout);
        raisePanels();
    });
    showSheetCode();
    m_state.PlacedColumns = m_state.FigureColumns;
    m_state.PlacedRows = m_state.FigureRows;
    m_state.CellWidth = layout.cell.width;
    m_state.CellHeight = layout.cell.height;
    showPageHeader();

    TStringGrid *data = ui->StringGridData;
    data->setColCount(m_state.FigureRows * m_state.FigureColumns + 1);

    int k = 1;
    for (int row = 1; row <= m_state.FigureRows; ++row) {
        for (int column = 1; column <= m_state.FigureColumns; ++column) {
            const int divisor = StrToInt(data->cell(k, 2));
            const int dividend = StrToInt(data->cell(k, 4));
            const QPoint topLeft = layout.figureTopLeft(row, column);
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

// The button panel, the settings panel over it and, when shown, the data-check panel
// over both: above every figure.
void TFormDivisheet::raisePanels()
{
    ui->PanelButtons->raise();
    ui->GroupBoxStart->raise();
    if (!ui->PanelDataKakunin->isHidden())
        ui->PanelDataKakunin->raise();
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
