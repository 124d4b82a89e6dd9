#pragma once

class QFont;
class QString;

namespace fonts {

// The faces the window names, as Windows spells them.
extern const char16_t* const PGothic;  // proportional gothic
extern const char16_t* const Gothic;   // fixed-pitch gothic
extern const char16_t* const Pop;      // decorative title face

// Maps the named faces to packaged stand-ins where they are not installed.
// Safe to call more than once.
void installSubstitutions();

// A font of the named face; bold is weight 700, normal 400.
QFont make(const QString& family, double pointSize, bool bold, bool italic = false);

}  // namespace fonts
