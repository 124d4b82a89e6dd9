// SPDX-License-Identifier: MIT
#pragma once

class QFont;
class QString;

namespace form {
struct Font;
}

namespace fonts {

// The face this machine draws a named face with: the named face itself when
// it is installed, otherwise its first installed stand-in, whatever language
// the session names the faces in. Resolved once.
QString family(const QString& named);

// A font as the layout names it (through family()); bold is weight 700,
// normal 400. An empty family is the window's default font.
QFont make(const form::Font& font);

}  // namespace fonts
