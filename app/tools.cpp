// SPDX-License-Identifier: MIT
#include "tools.h"

#include "described.h"
#include "form1.h"
#include "lenswindow.h"
#include "placement.h"

#include <form/form.h>

#include <QAction>
#include <QScreen>

Tools::Tools(Form1& composer)
    : m_composer(composer)
{
    // Always offered, in the composer's result line menu after its copies.
    auto* open = new QAction(described(form::lens_words().open), &composer);
    open->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_D);
    connect(open, &QAction::triggered, this, &Tools::openLens);
    composer.addResultAction(open);
    connect(&composer, &Form1::resultChanged, this, [this](bool shows) {
        m_composed = shows;
        offerC();
    });
}

void Tools::openLens()
{
    if (!m_lens) {
        // A child of the composer's window: it closes with it.
        m_lens = new LensWindow(&m_composer);
        connect(m_lens, &LensWindow::putIntoB, &m_composer, &Form1::putIntoB);
        offerC();
        // Beside the composer, whole on its screen, where a window manager
        // does not place it; its frame taken to be as the composer's. On a
        // screen shorter than the tool, as tall as the screen, its page
        // scrolling.
        const QSize frame = m_composer.frameGeometry().size() - m_composer.size();
        const QRect screen = m_composer.screen()->availableGeometry();
        m_lens->resize(m_lens->sizeHint().boundedTo(screen.size() - frame));
        m_lens->move(placement::beside(m_composer.frameGeometry(), m_lens->size() + frame, screen));
    }
    m_lens->show();
    m_lens->raise();
    m_lens->activateWindow();
}

// C's components as composed, while a result shows.
void Tools::offerC()
{
    if (m_lens)
        m_lens->offerComposer(m_composed
                ? std::optional(prism::Vector{m_composer.state().CX, m_composer.state().CY})
                : std::nullopt);
}
