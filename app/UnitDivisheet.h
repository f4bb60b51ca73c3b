#pragma once

#include "app/DesignedWindow.h"
#include "app/PdfFileChooser.h"
#include "app/SheetPages.h"
#include "app/SheetState.h"
#include "sheet/Sheet.h"
#include "sheet/SheetMaker.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class TFormDivisheet;
}

class TPrinterSetupDialog;

// The program's one window: the worksheet (a header line over a grid of long-division figures)
// with the button, settings and data-check panels over it. Operations are named after their
// controls (ButtonKoushinClick) or, in romanised Japanese, after what they do (DataHassei:
// generate the data; ComponentByouga: draw the figures). Sheets are made in sheet/, put on a
// page by TSheetPlacer and on paper by SheetPages: the window holds the panels and wires them.
class TFormDivisheet : public TDesignedWindow
{
    Q_OBJECT

public:
    struct Options
    {
        // Shows the data-check panel's check box in the settings panel after start-up.
        bool dataCheck = false;
        // Where each catalogue and draw takes its seed: the clock, or a fixed source in tests.
        std::function<quint32()> seedSource;
    };

    explicit TFormDivisheet(QWidget *parent = nullptr);
    TFormDivisheet(const Options &options, QWidget *parent = nullptr);
    ~TFormDivisheet() override;

    const TSheetState &sheetState() const { return m_state; }

    // What makes the sheet on screen again, as its code in the header says; none for a
    // sheet that went through the data-check panel (its grid may have been typed into).
    std::optional<divisheet::SheetRecipe> sheetRecipe() const;

    // Where PDF保存 and まとめて作成 ask for a file; the standard file dialog unless set.
    void setSaveFileChooser(divisheet::SaveFileChooser chooser) { m_chooseSaveFile = std::move(chooser); }

    // The page's options. They take effect at the next sheet, as the other settings do; the
    // title is cut to its limit.
    void setPageOptions(const divisheet::PageOptions &options)
    {
        m_pageOptions = options;
        m_pageOptions.title = divisheet::fitTitle(options.title).text;
    }
    const divisheet::PageOptions &pageOptions() const { return m_pageOptions; }

    // What the next sheets drill, as the settings do from the next sheet on. A focus that
    // mixes remainders sets the panel's remainder to あり, and choosing なし there ends the
    // mixing. A focus that the panel's classes cannot have refuses the next sheet with the
    // reason, and the sheet on the window stays.
    void setPracticeFocus(const divisheet::PracticeFocus &focus);
    const divisheet::PracticeFocus &practiceFocus() const { return m_focus; }

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
    void ButtonPageOptionsClick(QObject *Sender);
    void ButtonPracticeFocusClick(QObject *Sender);

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

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    enum class Commit { Typed, Nothing };
    template <typename Control, typename Signal>
    void wire(Control *control, Signal signal, Handler handler, Commit commit = Commit::Nothing);
    void wireEvents();

    void setDefaultSettings();
    void raisePanels();
    void keepPanelsInside();
    void divisorClassClicked(divisheet::DivisorClass divisorClass);
    void quotientClassClicked(divisheet::QuotientClass quotientClass);
    void setPanelSettings(const divisheet::ProblemSettings &settings);
    divisheet::ProblemSettings currentSettings() const;
    void refuseUnfitFocus() const;

    // The sheet on screen, its problems as the data grid holds them, and its paper: the
    // designed window's size less this window's frame.
    divisheet::Sheet screenSheet() const;
    divisheet::PaperFormat paperFormat() const;
    void printPages(QObject *Sender);
    std::array<QWidget *, 5> printingControls() const;
    void showControlsAfterPrinting();
    void recordSheetRecipe();
    void forgetSheetCode();
    void showSheetCode();

    std::unique_ptr<Ui::TFormDivisheet> ui;
    std::unique_ptr<TSheetPlacer> m_placer;
    TSheetState m_state;
    TPrinterSetupDialog *m_printerSetupDialog = nullptr;

    // The page's options: those of the panel, and those of the sheet now placed.
    divisheet::PageOptions m_pageOptions;
    divisheet::PageOptions m_sheetPageOptions;
    divisheet::PracticeFocus m_focus;
    // The seeds of the last catalogue and draw, that catalogue's settings, and the recipe of
    // the sheet a regeneration placed from them.
    std::function<quint32()> m_seedSource;
    divisheet::SheetSeeds m_seeds;
    divisheet::ProblemSettings m_catalogueSettings = divisheet::startUpSettings();
    int m_catalogueWithoutRemainder = 0; // leading the catalogue of mixed remainders
    std::optional<divisheet::SheetRecipe> m_recipe;
    divisheet::SaveFileChooser m_chooseSaveFile;
};
