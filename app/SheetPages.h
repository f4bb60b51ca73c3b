#pragma once

#include "app/SheetPlacer.h"
#include "sheet/Sheet.h"
#include "platform/WholeFile.h"

#include <QString>
#include <QWidget>

#include <vector>

class TLabel;
class TPageOutput;
class TPrinter;

namespace divisheet {

// The size of a printed page in the window's pixels: its cells follow the window's outer size
// as designed, its extras the client area inside it. Without a frame both are the designed size.
struct PaperSize
{
    QSize outer = kDesignPageSize;
    QSize client = kDesignPageSize;
};

// A page on paper: a bare white page of the window's designed size with the header every
// sheet has (the date-and-name line, the program's name, the settings line and the code), on
// which sheets are placed one after another. It is never shown; pages are drawn from it.
class TSheetPage : public QWidget
{
public:
    explicit TSheetPage(PaperSize size = {});

    // `sheet`, its figures showing `show`, under its own settings line or under `settingsLine`
    // where that is given.
    void showSheet(const Sheet &sheet, TTypeIntegerShow show, const QString &settingsLine = {});

private:
    PaperSize m_size;
    TLabel *m_settingsLine;
    TSheetPlacer m_placer;
};

// How sheets go on paper: the page's size and, where it is not each sheet's own, the settings line.
struct PaperFormat
{
    PaperSize size;
    QString settingsLine;
};

// Every problems page, then the answers page of every sheet that includes its answers, in the
// same order.
void addSheetPages(const std::vector<Sheet> &sheets, TPageOutput &output, const PaperFormat &format = {});
// How many pages addSheetPages() makes of `sheets`.
int pageCount(const std::vector<Sheet> &sheets);
// The pages as one PDF file, written whole or not at all (EFileError), replacing at its name
// what `existing` allows.
void writeSheetsPdf(const std::vector<Sheet> &sheets, const QString &fileName, TWholeFile::Existing existing,
                    const PaperFormat &format = {});
// The pages on the printer as printing does it: one landscape job of the problems pages titled
// `caption` + "解答値なし", then, where answers are included, one of the answers pages titled
// `caption` + "解答値あり".
void printSheets(const std::vector<Sheet> &sheets, TPrinter &printer, const QString &caption,
                 const PaperFormat &format = {});

} // namespace divisheet
