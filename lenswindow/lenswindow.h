// SPDX-License-Identifier: MIT
// The lens tool's window: for each eye, the prism its lens gives at a
// decentration of the optical centre, and the decentration that gives a
// prism wanted; where the wearer reads, through both lenses; and the check
// of a finished pair against its order. A window
// of its own, not modal, built from the form's description with Qt's
// layouts; it shows the texts the tool's compute gives.
#pragma once

#include <prism/lens.h>
#include <texts/lens.h>

#include <QWidget>

#include <array>
#include <optional>
#include <string_view>

class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class LensWindow : public QWidget {
    Q_OBJECT

public:
    explicit LensWindow(QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Offered only while the composer shows a result (C's components, as
    // composed), or not at all: the fills from C and each eye's put into B.
    void offerComposer(std::optional<prism::Vector> c);

signals:
    // An eye's prism as prism B's entries take it.
    void putIntoB(const QString& power, const QString& direction);

public slots:
    void compute();  // both eyes and where the wearer reads; the first refused entry says so

private:
    struct Side {
        prism::Eye eye = prism::Eye::Right;
        std::array<QLineEdit*, prism::LensFieldCount> entries{};  // by prism::LensField
        std::array<QComboBox*, 6> ways{};  // the sizes' ways: centre x, y, prism x, y, read x, y
        QLabel* prism = nullptr;           // the prism from the decentration
        QLabel* offset = nullptr;          // the decentration for the prism
        QPushButton* intoB = nullptr;
        QPushButton* copy = nullptr;
        std::optional<texts::LensEyeTexts> shown;
    };

    QWidget* buildSide(Side& side);
    // A part that answers in lines (where the wearer reads, the check of a
    // finished pair): the lines, their copy, what it shows.
    struct Answer {
        QLabel* label = nullptr;
        QPushButton* copy = nullptr;
        std::optional<texts::Lines> shown;
    };

    QWidget* buildNear();
    QWidget* buildCheck();
    void addAnswer(Answer& answer, QWidget* box, QBoxLayout* column, std::string_view name,
        std::string_view copy, int room);
    void showAnswer(Answer& answer, const std::optional<texts::Lines>& shown);
    void showSide(Side& side, const std::optional<texts::LensEyeTexts>& shown);
    void fill(prism::Fill fill);
    void say(QLineEdit* entry, const std::string& says);
    void offer();

    QWidget* m_content = nullptr;  // every part, on one page
    std::array<Side, 2> m_sides;   // right, left
    std::array<QPushButton*, 4> m_fills{};
    std::optional<prism::Vector> m_c;
    // Where the wearer reads: the point's depth and inset, what it shows.
    QLineEdit* m_depth = nullptr;
    QLineEdit* m_inset = nullptr;
    Answer m_near;
    Answer m_check;  // the check of a finished pair
};
