#include "app/UnitDivisheet.h"

#include "ui_UnitDivisheet.h"

#include "app/DataCheckGrids.h"
#include "app/PdfFileChooser.h"
#include "app/SettingsPanel.h"
#include "app/SheetPages.h"
#include "app/SheetPlacer.h"
#include "sheet/FocusedCatalogue.h"
#include "platform/Controls.h"
#include "platform/Conversions.h"
#include "platform/ErrorBoundary.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/Random.h"

#include <QAbstractItemDelegate>
#include <QMouseEvent>
#include <QScopeGuard>

using namespace divisheet;
using F = TFormDivisheet;

TFormDivisheet::TFormDivisheet(QWidget *parent) : TFormDivisheet(Options{}, parent) {}

TFormDivisheet::TFormDivisheet(const Options &options, QWidget *parent)
    : TDesignedWindow(parent), ui(std::make_unique<Ui::TFormDivisheet>()),
      m_seedSource(options.seedSource ? options.seedSource : TRandom::clockSeed), m_chooseSaveFile(choosePdfFile)
{
    setObjectName(QStringLiteral("FormDivisheet"));
    // Every control inherits the form's 12-pixel Gothic face unless its description
    // gives it another height.
    setFont(designFont(-12));
    ui->setupUi(this);
    // The form describes the window's outer size; until a window manager frames the
    // window, the client area is given all of it.
    keepDesignedSize();
    m_printerSetupDialog = new TPrinterSetupDialog(this);
    m_printerSetupDialog->setObjectName(QStringLiteral("PrinterSetupDialog1"));
    wireEvents();

    runHandler([this] { FormCreate(this); });
    if (options.dataCheck)
        ui->CheckBoxDataKakunin->show();
}

TFormDivisheet::~TFormDivisheet()
{
    // The controls outlive this destructor by a little, and some still signal as they go (a spin
    // edit with typed text finishes its editing); none of that may reach the form any more.
    for (QObject *control : findChildren<QObject *>())
        disconnect(control, nullptr, this, nullptr);
}

template <typename Control, typename Signal>
void TFormDivisheet::wire(Control *control, Signal signal, Handler handler, Commit commit)
{
    connect(control, signal, this, [this, control, handler, commit] {
        runHandler([this, control, handler, commit] {
            if (commit == Commit::Typed)
                ui->SpinEditDan->commitTyped();
            (this->*handler)(control);
        });
    });
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
    wire(ui->ButtonPracticeFocus, &QPushButton::clicked, &F::ButtonPracticeFocusClick, typed);
    wire(ui->CheckBoxRuledLine, &TCheckBox::Click, &F::CheckBoxRuledLineClick);
    wire(ui->ButtonRadioGroupBoxStartClose, &QPushButton::clicked, &F::ButtonRadioGroupBoxStartCloseClick);
    wire(ui->RadioGroupAmari, &TRadioGroup::Click, &F::RadioGroupAmariClick);
    wire(ui->CheckBoxDataKakunin, &TCheckBox::Click, &F::CheckBoxDataKakuninClick, typed);
    for (const ClassButton &entry : kClassButtons)
        wire(ui.get()->*entry.button, &TRadioButton::Click, entry.handler);
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

// Start-up and the header

void TFormDivisheet::FormCreate(QObject *)
{
    move(0, 0);
    ui->PanelDataKakunin->hide();
    ui->CheckBoxDataKakunin->hide();
    fillCatalogueGrid(ui->StringGridList);
    m_state.FigureFontSize = 30;
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    m_placer = std::make_unique<TSheetPlacer>(this);
    m_state.FigureRows = 2;
    m_state.FigureColumns = 5;
    fillSheetGrid(ui->StringGridData, m_state.FigureRows * m_state.FigureColumns);
    setDefaultSettings();
    m_placer->placeCode(QString(), size());
    LabelHyoudaiHyouji(this);
    DataHsseiSuutiSentakuComponentByouga(this);
    raisePanels();
    keepPanelsInside();
}

// Fixed divisor 2, quotients 1..9, no remainder. Each control's click handler leaves its enabled
// states and the spin edit's minimum behind; the title texts replace what they put there.
void TFormDivisheet::setDefaultSettings()
{
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
}

void TFormDivisheet::LabelHyoudaiHyouji(QObject *)
{
    ui->LabelHyoudai->setCaption(settingsLine(m_state.FrameCaption, m_state.DivisorCaption, m_state.QuotientCaption,
                                              m_state.RemainderCaption, m_catalogueSettings.focus));
    // A focus lengthens the line, and the longer line may have to leave the header.
    if (m_placer)
        m_placer->placeSettingsLine(m_sheetPageOptions, size());
}

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
    refuseUnfitFocus();
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
    LabelHyoudaiHyouji(Sender);
}

void TFormDivisheet::FormDblClick(QObject *Sender)
{
    refuseUnfitFocus();
    ComponentSakujo(Sender);
    DataHsseiSuutiSentakuComponentByouga(Sender);
}

// The catalogue of the panel's settings, made as every sheet's is, into the catalogue grid.
void TFormDivisheet::DataHassei(QObject *)
{
    refuseUnfitFocus();
    m_catalogueSettings = currentSettings();
    m_seeds.catalogueSeed = isRandomCatalogue(m_catalogueSettings) ? m_seedSource() : 0;
    // The page's options take effect here, at the new sheet, like the settings.
    m_sheetPageOptions = m_pageOptions;
    const int size = sheetCatalogueSize(m_catalogueSettings, m_sheetPageOptions);
    m_catalogueWithoutRemainder = 0;
    const int problems = showCatalogue(ui->StringGridList, size, [this](auto &&sink) {
        forEachSheetCatalogueProblem(m_catalogueSettings, m_seeds.catalogueSeed, m_sheetPageOptions,
                                     [this, &sink](const Problem &p) {
                                         m_catalogueWithoutRemainder += p.remainder == 0;
                                         sink(p);
                                     });
    });
    const PageLayout grid = sheetGrid(m_catalogueSettings, m_sheetPageOptions);
    m_state.FigureRows = grid.rows;
    m_state.FigureColumns = grid.columns;
    m_state.ProblemCount = grid.problemCount();
    m_state.FigureFontSize = quint8(grid.fontSize);
    // A smaller catalogue gives what it has.
    if (m_sheetPageOptions.more || m_catalogueSettings.focus.isSet())
        m_state.ProblemCount = std::min(m_state.ProblemCount, problems);
}

// The draw out of what the catalogue grid holds, as every sheet draws; an exhausted catalogue
// ends it, and the columns it could not fill keep what they held.
void TFormDivisheet::SuutiSentaku(QObject *)
{
    m_seeds.drawSeed = m_seedSource();
    if (m_state.ProblemCount > 0)
        takeDrawnColumns(ui->StringGridList, ui->StringGridData,
                         sheetDraw(m_catalogueSettings, ui->StringGridList->colCount() - 1,
                                   m_catalogueWithoutRemainder, m_state.ProblemCount, m_seeds.drawSeed));
}

// Placing the figures

void TFormDivisheet::ComponentByouga(QObject *Sender)
{
    ComponentSakujo(Sender);
    PageLayout layout = placedPageLayout(m_sheetPageOptions, m_state.FigureRows, m_state.FigureColumns,
                                         outerSize(this), size());
    layout.fontSize = m_state.FigureFontSize;
    // Whatever placed the figures, and however far it got, the panels stay usable.
    const auto panelsOnTop = qScopeGuard([this, layout] {
        m_placer->placeNumbers(layout, m_state.ProblemCount);
        raisePanels();
    });
    showSheetCode();
    m_state.PlacedColumns = m_state.FigureColumns;
    m_state.PlacedRows = m_state.FigureRows;
    m_state.CellWidth = layout.cell.width;
    m_state.CellHeight = layout.cell.height;
    m_placer->placeHeader(m_sheetPageOptions, size());

    TStringGrid *data = ui->StringGridData;
    data->setColCount(m_state.FigureRows * m_state.FigureColumns + 1);
    int k = 1;
    for (int row = 1; row <= m_state.FigureRows; ++row) {
        for (int column = 1; column <= m_state.FigureColumns; ++column) {
            const int divisor = StrToInt(data->cell(k, 2));
            const int dividend = StrToInt(data->cell(k, 4));
            const QPoint topLeft = layout.figureTopLeft(row, column);
            CreateComponent(column, row, topLeft.x(), topLeft.y(), kFigureStartWidth, kFigureStartHeight, divisor,
                            dividend, m_state.IntegerShowSetting);
            if (++k > m_state.ProblemCount)
                return;
        }
    }
}

void TFormDivisheet::CreateComponent(int Column, int Row, int Left, int Top, int Width, int Height, int Divisor,
                                     int Dividend, TTypeIntegerShow IntegerShow)
{
    m_placer->createFigure(figureNumber(Row, Column, m_state.FigureColumns), QRect(Left, Top, Width, Height),
                           m_state.FigureFontSize, Divisor, Dividend, m_state.FrameShowSetting, IntegerShow);
}

void TFormDivisheet::ComponentSakujo(QObject *)
{
    m_placer->removeFigures(m_state.PlacedRows, m_state.PlacedColumns);
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

// The sheet as a value, and its code

std::optional<SheetRecipe> TFormDivisheet::sheetRecipe() const
{
    if (!m_recipe)
        return std::nullopt;
    SheetRecipe recipe = *m_recipe;
    recipe.framesShown = m_state.FrameShowSetting == fsShow;
    recipe.answersIncluded = ui->CheckBoxPrintAnswer->isChecked();
    return recipe;
}

// The regeneration has just filled the catalogue and drawn from it: its seeds make the
// sheet again.
void TFormDivisheet::recordSheetRecipe()
{
    m_recipe = SheetRecipe();
    m_recipe->settings = m_catalogueSettings;
    m_recipe->seeds = m_seeds;
    m_recipe->page = m_sheetPageOptions;
}

void TFormDivisheet::forgetSheetCode()
{
    m_recipe.reset();
    showSheetCode();
}

void TFormDivisheet::showSheetCode()
{
    if (m_placer) // the answers check box may toggle while the form is made
        m_placer->placeCode(sheetCodeText(sheetRecipe()), size());
}

Sheet TFormDivisheet::screenSheet() const
{
    return {m_catalogueSettings, m_sheetPageOptions, m_state.FrameShowSetting == fsShow,
            ui->CheckBoxPrintAnswer->isChecked(), gridProblems(ui->StringGridData, m_state.ProblemCount), sheetRecipe()};
}

PaperFormat TFormDivisheet::paperFormat() const
{
    const QSize outer = designedOuterSize();
    return {{outer, clientSizeFor(outer, outerSize(this) - size())}, {}};
}

// The window on the desktop

// The code, and the settings line where it stands at the foot, stay at the window's foot.
void TFormDivisheet::resizeEvent(QResizeEvent *event)
{
    TDesignedWindow::resizeEvent(event);
    if (!m_placer)
        return;
    m_placer->placeCode(ui->LabelSheetCode->caption(), size());
    if (m_sheetPageOptions.hasTitle())
        m_placer->placeHeader(m_sheetPageOptions, size());
    else
        m_placer->placeSettingsLine(m_sheetPageOptions, size());
}

// The panels stand at fixed places and the window does not scroll: a window smaller than
// the panels reach would cut controls off beyond reach, so it may not become smaller.
void TFormDivisheet::keepPanelsInside()
{
    QRect reach = ui->PanelButtons->geometry() | ui->GroupBoxStart->geometry();
    if (!ui->PanelDataKakunin->isHidden())
        reach |= ui->PanelDataKakunin->geometry();
    setMinimumSize(reach.right() + 1, reach.bottom() + 1);
}

void TFormDivisheet::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the form's free area makes a new sheet; a double click on a figure or a
    // control belongs to that control.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        runHandler([this] {
            ui->SpinEditDan->commitTyped();
            FormDblClick(this);
        });
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

ProblemSettings TFormDivisheet::currentSettings() const
{
    ProblemSettings settings = panelSettings(*ui);
    settings.focus = m_focus;
    // Mixing draws from both parts on a sheet laid out for remainders.
    settings.withRemainder = settings.withRemainder || m_focus.mixedRemainder;
    return settings;
}

// Classes chosen on the panel after the focus may have no problem with it; that is said
// before anything on the window changes, and the teacher chooses again.
void TFormDivisheet::refuseUnfitFocus() const
{
    const FocusFault fault = focusFault(currentSettings());
    if (fault != FocusFault::None)
        throw EDivisheetError(QStringLiteral("ねらい「%1」はいまの設定では使えません：%2。「ねらい」で選び直してください。")
                                  .arg(focusWords(m_focus), focusFaultWords(fault)));
}
