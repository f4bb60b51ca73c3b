#include "platform/PrinterSettings.h"

namespace divisheet {

PrinterSettings::PrinterSettings(const QPrinter &printer)
    : m_format(printer.outputFormat()), m_printerName(printer.printerName()),
      m_fileName(printer.outputFileName()), m_layout(printer.pageLayout()),
      m_copies(printer.copyCount()), m_collate(printer.collateCopies()),
      m_colorMode(printer.colorMode()), m_duplex(printer.duplex()), m_pageOrder(printer.pageOrder()),
      m_fullPage(printer.fullPage()), m_range(printer.printRange()),
      m_fromPage(printer.fromPage()), m_toPage(printer.toPage())
{
}

void PrinterSettings::restore(QPrinter &printer) const
{
    // The output first: choosing a printer or a file resets some of the settings below.
    if (m_format == QPrinter::NativeFormat) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(m_printerName);
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_fileName);
    }
    printer.setPageLayout(m_layout);
    printer.setCopyCount(m_copies);
    printer.setCollateCopies(m_collate);
    printer.setColorMode(m_colorMode);
    printer.setDuplex(m_duplex);
    printer.setPageOrder(m_pageOrder);
    printer.setFullPage(m_fullPage);
    printer.setPrintRange(m_range);
    printer.setFromTo(m_fromPage, m_toPage);
}

} // namespace divisheet
