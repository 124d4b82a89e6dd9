// SPDX-License-Identifier: MIT
// The program's two tools, joined: the composer's window and the lens
// tool's. The lens window opens beside the composer's (from the result
// line's menu, Ctrl+Shift+D or --lens) and closes with it; while the
// composer shows a result the lens tool may fill its prisms from C; an eye's
// prism goes into B's entries as typing would. Neither window knows the
// other: this is the one piece that knows both.
#pragma once

#include <QObject>

class Form1;
class LensWindow;

class Tools : public QObject {
    Q_OBJECT

public:
    explicit Tools(Form1& composer);

    // The lens tool's window beside the composer's (made at the first call).
    void openLens();
    LensWindow* lens() const { return m_lens; }

private:
    void offerC();

    Form1& m_composer;
    LensWindow* m_lens = nullptr;
    bool m_composed = false;  // the composer shows a result
};
