// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace printing {

enum class Result {
    Printed,       // the job was handed to the default printer
    NoService,     // the print service cannot be reached
    NoPrinter,     // the print service knows no default printer
    NotAccepting,  // the printer is stopped or refuses jobs
    Failed,        // the page could not be drawn or the service refused the job
};

struct Outcome {
    Result result = Result::Failed;
    QString printer;  // the destination's name, when one was found
    QString detail;   // the print service's own words on a failure
    int jobId = 0;
};

// Prints an image of the window's client area, as it is on screen, on one
// page of the default printer at its true size (1440 twips to the inch),
// scaled down only when the printable area is smaller. No dialog.
Outcome printWindow(QWidget& window, const QString& jobTitle);

// The user's message for a failed outcome (empty for Printed).
QString message(const Outcome& outcome);

}  // namespace printing
