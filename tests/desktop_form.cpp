// SPDX-License-Identifier: MIT
// The desktop window as the browser suites compare the page with it: started
// as the program starts, the four entries typed, compute clicked with the
// mouse (the focus on the compute button, as after a click in a browser),
// then grabbed into a PNG. On standard output, as JSON, where each wrapping
// caption breaks into lines, as Qt lays it out when it paints it.
//
// Usage: desktop-form OUT.png ENTRY1 ENTRY2 ENTRY3 ENTRY4
#include "described.h"
#include "filledbutton.h"
#include "fitting.h"
#include "form1.h"
#include "startup.h"

#include <form/form.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QTextStream>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The first character of each line of `text` wrapped to `width` pixels, as
// QPainter::drawText with Qt::TextWordWrap breaks it (labels and the filled
// buttons paint their captions that way).
QList<int> lineStarts(const QString& text, const QFont& font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QList<int> starts;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.append(line.textStart());
    }
    layout.endLayout();
    return starts;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto app = startApplication(argc, argv);
    app->setAttribute(Qt::AA_Use96Dpi, true);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6) {
        QTextStream(stderr) << "usage: desktop-form OUT.png ENTRY1 ENTRY2 ENTRY3 ENTRY4\n";
        return 2;
    }

    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    for (int n = 1; n <= 4; ++n)
        form.findChild<QLineEdit*>(u"Text%1"_s.arg(n))->setText(args[n + 1]);
    auto* compute = form.findChild<QPushButton*>(u"Command1"_s);
    QTest::mouseClick(compute, Qt::LeftButton);
    QCoreApplication::processEvents();
    if (!form.grab().save(args[1]))
        return 1;

    QStringList lines;
    for (const form::Control& c : form::description().controls) {
        if (c.kind == form::Kind::TextBox)
            continue;
        const QString id = described(c.name) + (c.index >= 0 ? u"-%1"_s.arg(c.index) : QString());
        QWidget* widget = nullptr;
        for (QWidget* w : form.findChildren<QWidget*>(described(c.name)))
            if (c.index < 0 || w->property("index").toInt() == c.index)
                widget = w;
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QPushButton*>(widget);
        if ((label ? label->text() : button->text()).isEmpty())
            continue;
        // The result line and the standard buttons draw one line.
        QList<int> starts{0};
        if (label && label->wordWrap() && !qobject_cast<FittingLabel*>(label))
            starts = lineStarts(label->text(), label->font(), label->contentsRect().width());
        else if (auto* filled = qobject_cast<FilledButton*>(widget))
            starts = lineStarts(filled->text(), filled->font(), filled->captionRect().width());
        QStringList numbers;
        for (int s : starts)
            numbers.append(QString::number(s));
        lines.append(u"\"%1\": [%2]"_s.arg(id, numbers.join(u", "_s)));
    }
    QTextStream(stdout) << "{\"lines\": {" << lines.join(u", "_s) << "}}\n";
    return 0;
}
