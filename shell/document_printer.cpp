#include "shell/document_printer.h"

#include "shell/bounded_wait.h"
#include "shell/reader_page.h"
#include "shell/web_browser.h"

#include <QPrinter>
#include <QWebEngineView>

namespace {

constexpr int loadTimeoutMs = 30'000;
constexpr int printTimeoutMs = 120'000;

void load(QWebEngineView& view, const QUrl& url)
{
    BoundedWait loaded;
    QObject::connect(view.page(), &QWebEnginePage::loadFinished, loaded.context(),
                     [&loaded](bool ok) { loaded.settle(ok); });
    view.load(url);
    if (!loaded.await(loadTimeoutMs))
        throw WebBrowserError("cannot load the page to print: " + url.toString().toStdString());
}

// A PDF file gets the engine's own PDF, whose text stays text; a real printer
// gets the pages that QWebEngineView::print rasterises for it.
bool printsToPdfFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

void printToPdfFile(QWebEnginePage& page, QPrinter* printer)
{
    BoundedWait printed;
    QObject::connect(&page, &QWebEnginePage::pdfPrintingFinished, printed.context(),
                     [&printed](const QString&, bool ok) { printed.settle(ok); });
    page.printToPdf(printer->outputFileName(), printer->pageLayout());
    if (!printed.await(printTimeoutMs))
        throw WebBrowserError("cannot write the PDF file " + printer->outputFileName().toStdString());
}

void printOnPrinter(QWebEngineView& view, QPrinter* printer)
{
    BoundedWait printed;
    QObject::connect(&view, &QWebEngineView::printFinished, printed.context(),
                     [&printed](bool ok) { printed.settle(ok); });
    view.print(printer);
    if (!printed.await(printTimeoutMs))
        throw WebBrowserError("the printer did not take the page");
}

}  // namespace

void printDocument(const QUrl& url, QPrinter* printer, const std::filesystem::path& appDir)
{
    QWebEngineView view;
    view.setPage(new ReaderPage(appDir, &view));
    load(view, url);
    if (printsToPdfFile(*printer))
        printToPdfFile(*view.page(), printer);
    else
        printOnPrinter(view, printer);
}
