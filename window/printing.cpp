// SPDX-License-Identifier: MIT
#include "printing.h"

#include "described.h"

#include <form/form.h>

#include <QLibrary>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cups/cups.h>

#include <algorithm>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace printing {

namespace {

// One page of screen pixels is 1/96 inch each: 15 twips, as the layout says.
constexpr int PixelsPerInch = 96;

// The print service's client library, loaded at the first print. Linking
// it would load some twenty further libraries (TLS, Kerberos, Avahi) at
// every start of the program for a button that is pressed now and then.
struct Cups {
    decltype(&::cupsGetDests2) getDests2 = nullptr;
    decltype(&::cupsGetDest) getDest = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsAddOption) addOption = nullptr;
    decltype(&::cupsFreeOptions) freeOptions = nullptr;
    decltype(&::cupsPrintFile2) printFile2 = nullptr;

    // nullptr (with the loader's words in `why`) when the library is missing.
    static const Cups* get(QString* why)
    {
        static QString error;
        static const Cups* const loaded = []() -> const Cups* {
            static QLibrary library(u"cups"_s, 2);
            static Cups cups;
            if (!library.load()) {
                error = library.errorString();
                return nullptr;
            }
            const auto bind = [](auto& fn, const char* name) {
                fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(library.resolve(name));
                return fn != nullptr;
            };
            const bool complete = bind(cups.getDests2, "cupsGetDests2") && bind(cups.getDest, "cupsGetDest")
                && bind(cups.freeDests, "cupsFreeDests") && bind(cups.getOption, "cupsGetOption")
                && bind(cups.lastError, "cupsLastError") && bind(cups.lastErrorString, "cupsLastErrorString")
                && bind(cups.addOption, "cupsAddOption") && bind(cups.freeOptions, "cupsFreeOptions")
                && bind(cups.printFile2, "cupsPrintFile2");
            if (!complete) {
                error = u"libcups lacks a needed function"_s;
                return nullptr;
            }
            return &cups;
        }();
        if (!loaded && why)
            *why = error;
        return loaded;
    }
};

struct Destinations {
    const Cups& cups;
    cups_dest_t* list = nullptr;
    int count = 0;
    explicit Destinations(const Cups& c)
        : cups(c)
    {
        count = cups.getDests2(CUPS_HTTP_DEFAULT, &list);
    }
    ~Destinations() { cups.freeDests(count, list); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;
};

QString option(const Cups& cups, const cups_dest_t* dest, const char* name)
{
    return QString::fromUtf8(cups.getOption(name, dest->num_options, dest->options));
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

namespace {

// The default destination, if the service answers, has one and it would
// take a job now; otherwise why not, in `outcome`.
const cups_dest_t* usableDestination(const Cups& cups, const Destinations& dests, Outcome& outcome)
{
    const cups_dest_t* dest = cups.getDest(nullptr, nullptr, dests.count, dests.list);
    if (!dest) {
        const bool unreachable = cups.lastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        outcome.result = unreachable ? Result::NoService : Result::NoPrinter;
        if (unreachable)
            outcome.detail = QString::fromUtf8(cups.lastErrorString());
        return nullptr;
    }
    outcome.printer = QString::fromUtf8(dest->name);
    constexpr int IppPrinterStopped = 5;
    if (option(cups, dest, "printer-is-accepting-jobs") == u"false"_s
        || option(cups, dest, "printer-state").toInt() == IppPrinterStopped) {
        outcome.result = Result::NotAccepting;
        outcome.detail = option(cups, dest, "printer-state-message");
        return nullptr;
    }
    return dest;
}

// Submits the drawn page to `dest` on the paper it was drawn for.
void submit(const Cups& cups, const cups_dest_t& dest, const QPrinter& printer, const QString& file,
    const QString& jobTitle, Outcome& outcome)
{
    const QByteArray media = printer.pageLayout().pageSize().key().toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount = cups.addOption("media", media.constData(), 0, &options);
    const int job = cups.printFile2(CUPS_HTTP_DEFAULT, dest.name, QFile::encodeName(file).constData(),
        jobTitle.toUtf8().constData(), optionCount, options);
    cups.freeOptions(optionCount, options);
    if (job <= 0) {
        outcome.detail = QString::fromUtf8(cups.lastErrorString());
        return;
    }
    outcome.result = Result::Printed;
    outcome.jobId = job;
}

}  // namespace

Outcome printWindow(QWidget& window, const QString& jobTitle)
{
    Outcome outcome;
    const Cups* cups = Cups::get(&outcome.detail);
    if (!cups) {
        outcome.result = Result::NoService;
        return outcome;
    }
    // Ask the print service directly: it also tells whether the printer
    // would take the job now, which a queued job would hide.
    Destinations dests(*cups);
    const cups_dest_t* dest = usableDestination(*cups, dests, outcome);
    if (!dest)
        return outcome;

    // The printer's own page size and margins come through Qt's view of it.
    const QPrinterInfo info = QPrinterInfo::printerInfo(outcome.printer);
    QPrinter printer(info, QPrinter::HighResolution);
    // A printer built from its description still starts on Qt's default
    // paper (A4); the queue's own default (Letter in the US, A5 on a small
    // office printer) is what a plain job there comes out on.
    if (!info.isNull())
        printer.setPageSize(info.defaultPageSize());
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
    const QString file = spool.filePath(u"page"_s);
    // Without a ".pdf" suffix the printer's own engine (and page layout) is
    // kept, and it writes to the file instead of submitting the job itself.
    printer.setOutputFileName(file);
    if (info.isNull())
        printer.setOutputFormat(QPrinter::PdfFormat);
    if (render(window, printer))
        submit(*cups, *dest, printer, file, jobTitle, outcome);
    return outcome;
}

QString message(const Outcome& outcome)
{
    const form::PrintMessages& says = form::description().print;
    QString cause;
    switch (outcome.result) {
    case Result::Printed:
        return {};
    case Result::NoService:
        cause = described(says.noService);
        break;
    case Result::NoPrinter:
        cause = described(says.noPrinter);
        break;
    case Result::NotAccepting:
        cause = described(says.notAccepting).arg(outcome.printer);
        break;
    case Result::Failed:
        if (!outcome.printer.isEmpty())
            cause = described(says.notSent).arg(outcome.printer);
        break;
    }
    QStringList lines{described(says.failed)};
    if (!cause.isEmpty())
        lines.append(cause);
    if (!outcome.detail.isEmpty())
        lines.append(described(says.detail).arg(outcome.detail));
    return lines.join(u'\n');
}

}  // namespace printing
