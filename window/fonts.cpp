#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QString>
#include <QStringList>

namespace fonts {

const char16_t* const PGothic = u"ＭＳ Ｐゴシック";
const char16_t* const Gothic = u"ＭＳ ゴシック";
const char16_t* const Pop = u"HGP創英角ﾎﾟｯﾌﾟ体";

namespace {

// The substitution table. IPA's gothic faces share the metrics of the two
// Windows gothics, so the captions break and align as they would there. The
// title face has no free equivalent; a rounded face keeps its friendly look.
// Each list ends with a broad CJK face so a Japanese glyph is always found.
//
// It is resolved against the installed families once, instead of letting Qt
// substitute at each font request: a request for a face that is not
// installed makes Qt ask fontconfig for a sorted fallback list per style and
// script, which cost half of the window's start-up.
const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> resolved = [] {
        const struct {
            const char16_t* named;
            QStringList standIns;
        } substitutions[] = {
            {PGothic, {u"IPAPGothic"_qs, u"Noto Sans CJK JP"_qs}},
            {Gothic, {u"IPAGothic"_qs, u"Noto Sans Mono CJK JP"_qs}},
            {Pop, {u"MotoyaLMaru"_qs, u"IPAPGothic"_qs, u"Noto Sans CJK JP"_qs}},
        };
        const QStringList installed = QFontDatabase::families();
        QHash<QString, QString> t;
        for (const auto& s : substitutions) {
            const QString named = QString::fromUtf16(s.named);
            QString use = named;
            if (!installed.contains(named)) {
                for (const QString& standIn : s.standIns) {
                    if (installed.contains(standIn)) {
                        use = standIn;
                        break;
                    }
                }
            }
            t.insert(named, use);
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

QFont make(const QString& named, double pointSize, bool bold, bool italic)
{
    QFont font(family(named));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    // Hinting a CJK outline runs FreeType's auto-hinter on every glyph, which
    // was most of the time spent drawing the first frame; at these sizes the
    // unhinted IPA outlines look the same.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont windowDefault()
{
    return make(QString::fromUtf16(PGothic), 9, false);
}

}  // namespace fonts
