// SPDX-License-Identifier: MIT
#pragma once

#include <prism/prism.h>

#include <QWidget>

class FilledButton;
class LineShape;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's one window: four entries, the compute button, the result
// line, the vector diagram, and the print, reset and end buttons.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The calculation variables of the last compute (read-only outside).
    const prism::CompositionState& state() const { return m_state; }

    // The title the program's messages carry.
    static QString programTitle();

public slots:
    void Command1_Click();  // compute
    void Command2_Click();  // reset
    void Command3_Click();  // end
    void Command4_Click();  // print

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildLabels();
    void buildEntries();
    void buildButtons();
    void buildLines();
    void update_diagram();
    void setDiagramVisible(bool visible);
    void showMessage(const QString& text);

    prism::CompositionState m_state;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    FilledButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    FilledButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    LineShape* Line1 = nullptr;
    LineShape* Line2 = nullptr;
    LineShape* Line3 = nullptr;
    LineShape* Line4 = nullptr;
    LineShape* Line5 = nullptr;
    LineShape* Line6 = nullptr;
};
