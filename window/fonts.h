// SPDX-License-Identifier: MIT
#pragma once

class QFont;
class QString;

namespace fonts {

// The faces the window names, as Windows spells them.
extern const char16_t* const PGothic;  // proportional gothic
extern const char16_t* const Gothic;   // fixed-pitch gothic
extern const char16_t* const Pop;      // decorative title face

// The face this machine draws a named face with: the named face itself when
// it is installed, otherwise its first installed stand-in. Resolved once.
QString family(const QString& named);

// A font of the named face (through family()); bold is weight 700, normal 400.
QFont make(const QString& named, double pointSize, bool bold, bool italic = false);

// The font of every control that names none ("END", the message box): a
// Japanese form's default, ＭＳ Ｐゴシック 9 pt.
QFont windowDefault();

}  // namespace fonts
