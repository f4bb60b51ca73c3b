#pragma once

#include "app/PageLayout.h"
#include "app/PageOptions.h"
#include "app/ProblemClasses.h"
#include "app/SheetState.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class TFormDivisheet;
}

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
    QSize sheetOuterSize() const;
    void clearProblems(TStringGrid *grid);
    void divisorClassClicked(divisheet::DivisorClass divisorClass);
    void quotientClassClicked(divisheet::QuotientClass quotientClass);
    divisheet::ProblemSettings currentSettings() const;
    void printPages(QObject *Sender);
    void showControlsAfterPrinting();

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
};
