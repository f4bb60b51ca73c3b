#pragma once

#include "app/SheetState.h"
#include "sheet/PageLayout.h"
#include "sheet/PageOptions.h"
#include "sheet/ProblemClasses.h"
#include "sheet/SheetCode.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TFormDivisheet;
}

namespace divisheet {

// One sheet to put on paper: what makes it (its code and, in a class set, its number) and
// its problems in the order of the cells.
struct PaperSheet
{
    SheetRecipe recipe;
    std::vector<Problem> problems;
};

// Asks for the name of a file to write: the parent window, the dialog's caption and the
// suggested file (a path). Returns an empty text when the user cancels.
using SaveFileChooser = std::function<QString(QWidget *, const QString &, const QString &)>;

// The standard file dialog for a PDF file; it asks before replacing a file.
QString choosePdfFile(QWidget *parent, const QString &caption, const QString &suggested);

} // namespace divisheet

class TPageOutput;
class TPrinterSetupDialog;
class TRadioButton;
class TStringGrid;

// The program's one window: the worksheet itself (a header line over a grid of
// long-division figures) with the button panel, the settings panel and the data-check
// panel lying over it. Its operations are named after their controls and events
// (ButtonKoushinClick) or, in romanised Japanese, after what they do (DataHassei:
// generate the data; ComponentByouga: draw the figures); the arithmetic behind them
// lives in plain functions (ProblemCatalogue, ProblemDraw, SheetLayout) so that it can
// be read and tested without widgets.
class TFormDivisheet : public QWidget
{
    Q_OBJECT

public:
    struct Options
    {
        // Shows the data-check panel's check box in the settings panel after start-up.
        bool dataCheck = false;
    };

    explicit TFormDivisheet(QWidget *parent = nullptr);
    TFormDivisheet(const Options &options, QWidget *parent = nullptr);
    ~TFormDivisheet() override;

    const TSheetState &sheetState() const { return m_state; }

    // What makes the sheet on screen again, as its code in the header says; none for a
    // sheet that went through the data-check panel (its grid may have been typed into).
    std::optional<divisheet::SheetRecipe> sheetRecipe() const;

    // Where PDF保存 and まとめて作成 ask for a file; the standard file dialog unless set.
    void setSaveFileChooser(divisheet::SaveFileChooser chooser);

    // Sheets on paper, laid out as printing lays out its pages (the designed window's
    // size, no controls). The sheet on screen without a new draw: its problems page and,
    // when 解答も印刷 is checked, its answers page; the screen keeps its sheet.
    void addScreenSheetPages(TPageOutput &output);
    // The settings a sheet is made of, set through the settings panel as a user would.
    void applySheetSettings(const divisheet::ProblemSettings &settings, bool framesShown,
                            bool answersIncluded);
    // One page per sheet, the figures showing `show`, with the sheet's code in the header.
    // The form keeps the last of them: for a form that is never shown.
    void addPaperPages(const std::vector<divisheet::PaperSheet> &sheets,
                       divisheet::TTypeIntegerShow show, TPageOutput &output);

    // Start-up and the header.
    void FormCreate(QObject *Sender);
    void LabelHyoudaiHyouji(QObject *Sender);

    // Making a sheet.
    void FormDblClick(QObject *Sender);
    void ButtonKoushinClick(QObject *Sender);
    void DataHsseiSuutiSentakuComponentByouga(QObject *Sender);
    void DataHassei(QObject *Sender);
    void SuutiSentaku(QObject *Sender);

    // Placing the figures.
    void ComponentByouga(QObject *Sender);
    void CreateComponent(int Column, int Row, int Left, int Top, int Width, int Height,
                         int Divisor, int Dividend, divisheet::TTypeIntegerShow IntegerShow);
    void ComponentSakujo(QObject *Sender);

    // Buttons and check boxes.
    void CheckBoxRuledLineClick(QObject *Sender);
    void ButtonStartClick(QObject *Sender);
    void ButtonRadioGroupBoxStartCloseClick(QObject *Sender);
    void ButtonPrinterSetupClick(QObject *Sender);
    void ButtonPrintOutClick(QObject *Sender);
    void ButtonSavePdfClick(QObject *Sender);
    void ButtonClassSetClick(QObject *Sender);

    // The settings panel.
    void RadioGroupAmariClick(QObject *Sender);
    void SpinEditDanChange(QObject *Sender);
    void RadioButtonWaruKoteiClick(QObject *Sender);
    void RadioButtonWaru1_9Click(QObject *Sender);
    void RadioButtonWaru10_90Click(QObject *Sender);
    void RadioButtonWaru11_99Click(QObject *Sender);
    void RadioButtonWaru100_900Click(QObject *Sender);
    void RadioButtonWaru101_909Click(QObject *Sender);
    void RadioButtonWaru110_990Click(QObject *Sender);
    void RadioButtonWaru111_999Click(QObject *Sender);
    void RadioButtonWaru1000_9999Click(QObject *Sender);
    void RadioButtonKotae1_9Click(QObject *Sender);
    void RadioButtonKotae10_90Click(QObject *Sender);
    void RadioButtonKotae11_99Click(QObject *Sender);
    void RadioButtonKotae100_900Click(QObject *Sender);
    void RadioButtonKotae101_909Click(QObject *Sender);
    void RadioButtonKotae110_990Click(QObject *Sender);
    void RadioButtonKotae111_999Click(QObject *Sender);

    // The data-check panel.
    void CheckBoxDataKakuninClick(QObject *Sender);
    void StringGridListClear(QObject *Sender);
    void StringGridDataClear(QObject *Sender);

    using Handler = void (TFormDivisheet::*)(QObject *);

    // The page's options (UnitDivisheetPage.cpp). They take effect at the next sheet, as
    // the other settings do; the title is cut to its limit.
    void setPageOptions(const divisheet::PageOptions &options);
    const divisheet::PageOptions &pageOptions() const { return m_pageOptions; }
    void ButtonPageOptionsClick(QObject *Sender);

protected:
    bool event(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    enum class Commit { Typed, Nothing };
    template <typename Control, typename Signal>
    void wire(Control *control, Signal signal, Handler handler, Commit commit = Commit::Nothing);
    void wireEvents();
    void wireClick(TRadioButton *button, Handler handler);
    void wireClassButtons();

    void fillListGrid();
    void fillDataGrid();
    void setDefaultSettings();
    void setTitleTexts();

    void commitTypedSettings();
    void raisePanels();
    void fitFrameToDesign();
    void keepPanelsInside();
    QSize sheetOuterSize() const;
    void clearProblems(TStringGrid *grid);
    void divisorClassClicked(divisheet::DivisorClass divisorClass);
    void quotientClassClicked(divisheet::QuotientClass quotientClass);
    divisheet::ProblemSettings currentSettings() const;
    void printPages(QObject *Sender);
    void showControlsAfterPrinting();

    void recordSheetRecipe();
    void showSheetTitleLine(const divisheet::ProblemSettings &settings, bool framesShown);
    void forgetSheetCode();
    void showSheetCode();
    bool refillFigures();
    void placeSheetCodeLabel();
    // The page's surface, laid out for paper while it lives; `hidden` gets the controls
    // that were hidden for it.
    std::unique_ptr<QWidget> openPaper(std::vector<QWidget *> &hidden);
    void closePaper(const std::vector<QWidget *> &hidden);
    // The page's options on the sheet (UnitDivisheetPage.cpp).
    divisheet::PageLayout sheetPageLayout() const;
    QSize sheetClientSize() const;
    void createPageControls();
    void showPageHeader();
    void placeNumbers(const divisheet::PageLayout &layout);
    divisheet::PageOptions m_pageOptions;
    divisheet::PageOptions m_sheetPageOptions; // those of the sheet now placed

    std::unique_ptr<Ui::TFormDivisheet> ui;
    TSheetState m_state;
    TPrinterSetupDialog *m_printerSetupDialog = nullptr;
    // The window's outer size as the form describes it.
    QSize m_designOuterSize;
    // Set while the printed pages are made: they are laid out for this outer size.
    std::optional<QSize> m_paperOuterSize;
    bool m_frameFitted = false;

    // The seeds of the last catalogue and draw and the settings of that catalogue; the
    // sheet's recipe once a regeneration has placed them.
    divisheet::SheetSeeds m_seeds;
    divisheet::ProblemSettings m_catalogueSettings = divisheet::startUpSettings();
    std::optional<divisheet::SheetRecipe> m_recipe;
    divisheet::SaveFileChooser m_chooseSaveFile;
};
