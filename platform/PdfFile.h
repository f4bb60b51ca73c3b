#pragma once

#include "platform/PageOutput.h"

#include <QPageLayout>
#include <QString>

#include <memory>

// A PDF file of pages, written as a whole or not at all: the pages go into a temporary
// file beside the chosen one, which takes the chosen name only when commit() succeeds.
// A failure or a file never committed leaves nothing behind and an existing file as it
// was. The pages are those a print to a file would give: A4 landscape at 1200 dots per
// inch with the same margins, fonts embedded once, text and lines as vectors.
class TPdfFile : public TPageOutput
{
public:
    // `title` is the document's title, as a print job's name is.
    TPdfFile(const QString &fileName, const QString &title);
    ~TPdfFile() override;

    // The first page opens the temporary file; raises EFileError when it cannot be written.
    void addFormPage(QWidget *form) override;
    // Finishes the document and puts it in place of the chosen file; raises EFileError
    // when that fails (nothing is left behind then).
    void commit();

    // The page of every PDF the program writes.
    static QPageLayout pageLayout();

private:
    void open();

    struct Private;
    std::unique_ptr<Private> d;
};
