// SPDX-License-Identifier: MIT
// Drives Form1 the way a user does: typing into the fields, clicking buttons,
// answering message boxes; and finds its controls by name.
#pragma once

#include "described.h"
#include "form1.h"
#include "lineshape.h"
#include "startup.h"
#include "tools.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

using namespace Qt::StringLiterals;

// What a modal message box showed before the test answered it.
struct MessageSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    qsizetype buttonCount;
};

class FormDriver {
public:
    explicit FormDriver(Form1& form)
        : m_form(form)
    {
    }

    template <typename T = QWidget> T* get(const char* name) const
    {
        auto* child = m_form.findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control named %s", name);
        return child;
    }

    QLineEdit* text(int n) const
    {
        return get<QLineEdit>(QByteArray("Text" + QByteArray::number(n)).constData());
    }
    QPushButton* command(int n) const
    {
        return get<QPushButton>(QByteArray("Command" + QByteArray::number(n)).constData());
    }
    QLabel* label(const char* name) const { return get<QLabel>(name); }
    LineShape* line(int n) const
    {
        return get<LineShape>(QByteArray("Line" + QByteArray::number(n)).constData());
    }

    // A member of the Label3 control array, by its index.
    QLabel* label3(int index) const
    {
        for (QLabel* l : m_form.findChildren<QLabel*>(u"Label3"_s))
            if (l->property("index").toInt() == index)
                return l;
        qFatal("no Label3 with index %d", index);
    }

    // Types a text: ASCII through key events, anything else as an input
    // method commits it (how full-width digits reach a field).
    static void typeInto(QWidget* field, const QString& text)
    {
        QString pending;
        const auto commit = [&] {
            if (pending.isEmpty())
                return;
            QInputMethodEvent event;
            event.setCommitString(pending);
            QApplication::sendEvent(field, &event);
            pending.clear();
        };
        for (QChar ch : text) {
            if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
                commit();
                QTest::keyClick(field, static_cast<char>(ch.unicode()));
            } else {
                pending += ch;
            }
        }
        commit();
    }

    // Replaces the four entries by typing, as a user would.
    void type(const QStringList& entries) const
    {
        for (int i = 0; i < 4; ++i) {
            QLineEdit* field = text(i + 1);
            field->clear();
            typeInto(field, entries.value(i));
        }
    }

    // Runs an action; answers any modal message it opens and returns what
    // the message said.
    std::optional<MessageSeen> answering(const std::function<void()>& action) const
    {
        std::optional<MessageSeen> seen;
        int boxes = 0;
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++boxes;
            seen = MessageSeen{box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        answer.start();
        action();
        answer.stop();
        if (boxes > 1)
            qWarning("%d message boxes opened by one action", boxes);
        return seen;
    }

    // Clicks a button with the mouse, answering any message it opens.
    std::optional<MessageSeen> click(QPushButton* button) const
    {
        return answering([button] { QTest::mouseClick(button, Qt::LeftButton); });
    }

    std::optional<MessageSeen> compute(const QStringList& entries) const
    {
        type(entries);
        return click(command(1));
    }

private:
    Form1& m_form;
};

// A fresh window joined to the lens tool, as the program starts it, shown,
// and its driver: what each widget test case starts from.
struct FormFixture {
    std::unique_ptr<Form1> form;
    std::unique_ptr<Tools> tools;
    std::unique_ptr<FormDriver> ui;

    // Returns whether the window came up on screen.
    bool open()
    {
        form = std::make_unique<Form1>();
        tools = std::make_unique<Tools>(*form);
        ui = std::make_unique<FormDriver>(*form);
        form->move(40, 40);  // wholly on a real screen, too
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }

    void close()
    {
        ui.reset();
        tools.reset();
        form.reset();
    }
};

// A window suite's main: the application starts as the program starts its
// own (font stand-ins, glyph drawing, Qt's translations), so the suite sees
// the window the user sees.
#define PRISM_WINDOW_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        const auto app = startApplication(argc, argv);                                                       \
        app->setAttribute(Qt::AA_Use96Dpi, true);                                                            \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
