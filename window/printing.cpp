#include "printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cups/cups.h>

#include <algorithm>

namespace printing {

namespace {

// One page of screen pixels is 1/96 inch each: 15 twips, as the layout says.
constexpr int PixelsPerInch = 96;

struct Destinations {
    cups_dest_t* list = nullptr;
    int count = 0;
    Destinations() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Destinations() { cupsFreeDests(count, list); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
};

QString option(const cups_dest_t* dest, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

// Draws the window on the printer; false when the page could not be begun.
bool render(QWidget& window, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the top-left of the printable area.
    const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF size = window.size();
    const qreal scale = std::min({1.0, printable.width() / size.width(), printable.height() / size.height()});
    painter.scale(scale, scale);
    window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return painter.end();
}

}  // namespace

Outcome printWindow(QWidget& window, const QString& jobTitle)
{
    Outcome outcome;

    // Ask the print service directly: it also tells whether the printer
    // would take the job now, which a queued job would hide.
    Destinations dests;
    const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, dests.count, dests.list);
    if (!dest) {
        const bool unreachable = cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        outcome.result = unreachable ? Result::NoService : Result::NoPrinter;
        if (unreachable)
            outcome.detail = QString::fromUtf8(cupsLastErrorString());
        return outcome;
    }
    outcome.printer = QString::fromUtf8(dest->name);
    constexpr int IppPrinterStopped = 5;
    if (option(dest, "printer-is-accepting-jobs") == u"false"_qs
        || option(dest, "printer-state").toInt() == IppPrinterStopped) {
        outcome.result = Result::NotAccepting;
        outcome.detail = option(dest, "printer-state-message");
        return outcome;
    }

    // The printer's own page size and margins come through Qt's view of it.
    const QPrinterInfo info = QPrinterInfo::printerInfo(outcome.printer);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setResolution(PixelsPerInch);
    printer.setDocName(jobTitle);
    printer.setFullPage(false);

    // Qt draws the page into a file (vector PDF, sharp at any printer
    // resolution); the job is then submitted here so that a refusal is seen.
    QTemporaryDir spool;
    if (!spool.isValid()) {
        outcome.detail = spool.errorString();
        return outcome;
    }
    const QString file = spool.filePath(u"page"_qs);
    // Without a ".pdf" suffix the printer's own engine (and page layout) is
    // kept, and it writes to the file instead of submitting the job itself.
    printer.setOutputFileName(file);
    if (info.isNull())
        printer.setOutputFormat(QPrinter::PdfFormat);
    if (!render(window, printer))
        return outcome;

    const QByteArray media = printer.pageLayout().pageSize().key().toUtf8();
    cups_option_t* options = nullptr;
    int optionCount = cupsAddOption("media", media.constData(), 0, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, dest->name, QFile::encodeName(file).constData(),
        jobTitle.toUtf8().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job <= 0) {
        outcome.detail = QString::fromUtf8(cupsLastErrorString());
        return outcome;
    }
    outcome.result = Result::Printed;
    outcome.jobId = job;
    return outcome;
}

QString message(const Outcome& outcome)
{
    QString text;
    switch (outcome.result) {
    case Result::Printed:
        return {};
    case Result::NoService:
        text = u"印刷できませんでした。\n印刷サービス（CUPS）に接続できません。"_qs;
        break;
    case Result::NoPrinter:
        text
            = u"印刷できませんでした。\n既定のプリンターが見つかりません。プリンターを設定してから、もう一度印刷して下さい。"_qs;
        break;
    case Result::NotAccepting:
        text = u"印刷できませんでした。\nプリンター「%1」が停止しているか、印刷を受け付けていません。"_qs.arg(
            outcome.printer);
        break;
    case Result::Failed:
        text = outcome.printer.isEmpty()
            ? u"印刷できませんでした。"_qs
            : u"印刷できませんでした。\nプリンター「%1」に送れませんでした。"_qs.arg(outcome.printer);
        break;
    }
    if (!outcome.detail.isEmpty())
        text += u"\n（%1）"_qs.arg(outcome.detail);
    return text;
}

}  // namespace printing
