// SPDX-License-Identifier: MIT
#include "fonts.h"

#include "described.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QString>
#include <QStringList>

#include <form/form.h>

#include <fontconfig/fontconfig.h>

using namespace Qt::StringLiterals;

namespace fonts {

namespace {

// Every family name fontconfig knows the faces that answer to `name` by, in
// every language the fonts declare. fontconfig matches a family against all
// of a face's names, ignoring case and blanks, whatever the session's
// language; Qt lists each face under one of them only: the name in the
// session's language where the font has one ("IPA Pゴシック" in a Japanese
// session), else its English name.
QStringList namesOf(const QString& name)
{
    QStringList names;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    const QByteArray utf8 = name.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.constData()));
    if (FcFontSet* set = FcFontList(nullptr, pattern, objects)) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* family = nullptr;
            for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                names.append(QString::fromUtf8(reinterpret_cast<const char*>(family)));
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    names.removeDuplicates();
    return names;
}

// The name this session's font database lists the face called `name` under
// (in any language), or an empty string when no such face is installed.
QString installedName(const QString& name, const QStringList& installed)
{
    for (const QString& n : namesOf(name))
        if (installed.contains(n))
            return n;
    return {};
}

// The substitution table of the form's description, resolved against the
// installed faces once, instead of letting Qt substitute at each font
// request: a request for a face that is not installed makes Qt ask
// fontconfig for a sorted fallback list per style and script, which cost
// half of the window's start-up; and fontconfig's own substitute for a
// Windows face may be a fixed-pitch one.
const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> resolved = [] {
        const QStringList installed = QFontDatabase::families();
        QHash<QString, QString> t;
        for (const form::Substitution& s : form::substitutions()) {
            const QString named = described(s.named);
            QString use = installedName(named, installed);
            for (size_t i = 0; use.isEmpty() && i < s.standIns.size(); ++i)
                use = installedName(described(s.standIns[i]), installed);
            t.insert(named, use.isEmpty() ? named : use);
        }
        return t;
    }();
    return resolved;
}

}  // namespace

QString family(const QString& named)
{
    return table().value(named, named);
}

QFont make(const form::Font& f)
{
    const form::Font& font = f.family.empty() ? form::description().windowFont : f;
    QFont q(family(described(font.family)));
    q.setPointSizeF(font.points);
    q.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    // Hinting a CJK outline runs FreeType's auto-hinter on every glyph, which
    // was most of the time spent drawing the first frame; at these sizes the
    // unhinted IPA outlines look the same.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

}  // namespace fonts
