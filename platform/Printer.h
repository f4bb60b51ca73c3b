#pragma once

#include "platform/PageOutput.h"

#include <QPageLayout>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;
class QWidget;

// The program's one printer: the system's default printer until the user chooses
// another in the printer-setup dialog. Every operation that finds the printer unusable
// (no printer installed, no spooler running, an invalid choice) raises EPrinterError
// instead of silently writing somewhere else.
class TPrinter : public TPageOutput
{
public:
    TPrinter();
    ~TPrinter() override;

    static TPrinter &global();

    QPageLayout::Orientation orientation() const;
    void setOrientation(QPageLayout::Orientation orientation);

    // The document name the spooler shows for the next job.
    QString title() const;
    void setTitle(const QString &title);
    // When the chosen printer is a file, each job gets a file of its own: the chosen
    // file name with "-" and this tag before its extension (sheet.pdf -> sheet-tag.pdf).
    void setFileTag(const QString &tag);

    // The printable area of the page in device pixels (1200 per inch). Drawing on the
    // canvas starts at the printable area's top-left corner, so nothing falls into the
    // margin that the printer cannot reach.
    int pageWidth() const;
    int pageHeight() const;

    // Starts a job with the title; raises EPrinterError when no printer can take it (none
    // installed, no spooler, the chosen one gone, a job already running, the file not
    // writable) before anything is written.
    void beginDoc();
    // Finishes the job and sends it; does nothing outside a job.
    void endDoc();
    // Drops the job: nothing of it is sent; does nothing outside a job.
    void abortDoc();
    QPainter *canvas();       // valid between beginDoc() and endDoc()

    // Adds a page to the job begun by beginDoc(): the form's client area as currently
    // shown (hidden controls absent), mapped onto the page by divisheet::paintFormImage
    // from the printable area's top-left corner.
    void addFormPage(QWidget *form) override;

    // The form's image as one job of one page (beginDoc, addFormPage, endDoc); a failure
    // on the way drops the job.
    void printFormImage(QWidget *form);

    // Runs the system's printer-setup dialog (printer and its settings; it prints
    // nothing); a confirmed choice is used by later jobs, a cancel changes nothing.
    // Returns whether the user confirmed.
    bool execSetupDialog(QWidget *parent);

    QPrinter *qprinter();

private:
    void checkUsable();
    void finishJob();

    struct Private;
    std::unique_ptr<Private> d;
};

namespace divisheet {

// The file a job writes when the chosen printer is the file `chosen`: "-" and `tag`
// before the extension (sheet.pdf -> sheet-tag.pdf, sheet -> sheet-tag). An empty tag
// leaves the name as it is; a "/" in the tag becomes "_" so the file stays in the
// chosen folder.
QString jobFileName(const QString &chosen, const QString &tag);

// `wanted` if no file of that name exists, otherwise the first free name with "-2",
// "-3", ... before the extension (sheet-tag.pdf -> sheet-tag-2.pdf): printing to a
// file never replaces an earlier file.
QString freeFileName(const QString &wanted);

} // namespace divisheet
