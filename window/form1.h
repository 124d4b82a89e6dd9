// SPDX-License-Identifier: MIT
// Form1, the program's one window. Its controls keep the names the layout
// gives them; what each one is:
//
//   Text1, Text2    prism A: power, base direction (blue)
//   Text3, Text4    prism B: power, base direction (red)
//   Command1        compute ("合成 C=A+B")   -> Command1_Click
//   Command2        reset ("リセット")        -> Command2_Click
//   Command3        end ("END")               -> Command3_Click
//   Command4        print ("print")           -> Command4_Click
//   Label1          the program's title
//   Label2          the instruction
//   Label3 [0]      "プリズム A =" left of Text1; Label4 the same for B
//   Label3 [1], [4] "△ Base ... °" behind Text2 and Text4
//   Label5          "合成プリズムＣは・・・"; Label6 the result line below it
//   Line1..Line3    the vectors A, B, C of the diagram
//   Line4..Line6    the legend's lines; Label9, Label12, Label13 its letters
//
// A change to any entry's text clears a shown result and hides the diagram:
// what the window shows and prints beside the entries is always their result.
//
// The path of a compute: Command1_Click hands the four entries to
// prism::compute (into the state as typed, the checks, the composition, the
// result line, the scale, the end points) -> the message of a refused prism,
// or the result line into Label6, the buttons shown, update_diagram -> the
// end points of Line1..Line3 and the diagram shown, and showEyes -> each
// eye's words in Label6's tooltip, accessible description and copies.
//
// Another tool may join the composer: add an action to the result line's
// menu, learn when a result shows and when it clears (resultChanged, C then
// in state()), and put a prism into B's entries, an edit like any other.
#pragma once

#include <prism/compose.h>

#include <QWidget>

#include <optional>
#include <span>

namespace form {
struct Control;
struct EyeWords;
struct Line;
enum class Role;
enum class LineRole;
}  // namespace form

class LineShape;
class QAction;
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

    // An action of another tool in the result line's menu, after the copies;
    // its shortcut works anywhere in this window.
    void addResultAction(QAction* action);

signals:
    // A result shows (its C is then state().CX, CY), or it is gone.
    void resultChanged(bool shows);

public slots:
    // A prism into B's entries, typed as a user types: the result clears.
    void putIntoB(const QString& power, const QString& direction);

    void Command1_Click();  // compute
    void Command2_Click();  // reset
    void Command3_Click();  // end
    void Command4_Click();  // print

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The controls, built from the form's description.
    QWidget* makeLabel(const form::Control& control);
    QWidget* makeEntry(const form::Control& control);
    QWidget* makeButton(const form::Control& control);
    void buildControls(std::span<const form::Control> controls);
    void buildLines(std::span<const form::Line> lines);
    void keep(form::Role role, QWidget* widget);
    LineShape*& lineOf(form::LineRole role);
    void update_diagram(const prism::Shown& shown);
    void setDiagramVisible(bool visible);
    void clearResult();
    void showEyes(const std::optional<prism::Eyes>& eyes);
    void addCopies(const form::EyeWords& words);
    void showMessage(const QString& text);

    prism::CompositionState m_state;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
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

    // What the result line is, for a screen reader, while it shows nothing.
    QString m_resultDescription;
    // The result line's copies: the line, the right eye's parts, the left's.
    QAction* m_copyResult = nullptr;
    QAction* m_copyRight = nullptr;
    QAction* m_copyLeft = nullptr;
};
