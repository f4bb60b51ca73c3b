#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>

namespace divisheet {

// What the printer-setup dialog may change, taken from a printer and put back into it.
// Qt's dialog writes some choices (the printer, print to file) into the printer while
// it is still open, so a cancel has to put them back.
class PrinterSettings
{
public:
    explicit PrinterSettings(const QPrinter &printer);

    void restore(QPrinter &printer) const;

private:
    QPrinter::OutputFormat m_format;
    QString m_printerName;
    QString m_fileName;
    QPageLayout m_layout;
    int m_copies;
    bool m_collate;
    QPrinter::ColorMode m_colorMode;
    QPrinter::DuplexMode m_duplex;
    QPrinter::PageOrder m_pageOrder;
    bool m_fullPage;
    QPrinter::PrintRange m_range;
    int m_fromPage;
    int m_toPage;
};

} // namespace divisheet
