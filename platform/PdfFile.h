#pragma once

#include "platform/PageOutput.h"
#include "platform/WholeFile.h"

#include <QPageLayout>
#include <QString>

#include <memory>

// A PDF file of pages, written whole or not at all (see TWholeFile): it takes the chosen
// name only when commit() succeeds. The pages are those a print to a file would give:
// A4 landscape at 1200 dots per inch with the same margins, fonts embedded once, text
// and lines as vectors.
class TPdfFile : public TPageOutput
{
public:
    using Existing = TWholeFile::Existing;

    // `title` is the document's title, as a print job's name is; `existing` says what
    // the file may replace at its name.
    TPdfFile(const QString &fileName, const QString &title, Existing existing);
    ~TPdfFile() override;

    // The first page opens the file; raises EFileError when it cannot be written
    // (EFileTaken when the name may not be replaced).
    void addFormPage(QWidget *form) override;
    // Finishes the document and puts it at the chosen name; raises EFileError when that
    // fails, EFileTaken when the name was taken meanwhile (nothing is left behind then).
    void commit();

    // The page of every PDF the program writes.
    static QPageLayout pageLayout();

private:
    void open();

    struct Private;
    std::unique_ptr<Private> d;
};
