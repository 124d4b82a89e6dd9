#include "fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace fonts {

const char16_t* const PGothic = u"ＭＳ Ｐゴシック";
const char16_t* const Gothic = u"ＭＳ ゴシック";
const char16_t* const Pop = u"HGP創英角ﾎﾟｯﾌﾟ体";

void installSubstitutions()
{
    // IPA's gothic faces share the metrics of the two Windows gothics, so the
    // captions break and align as they would there. The title face has no
    // free equivalent; a rounded face keeps its friendly look. Each list ends
    // with a broad CJK face so a Japanese glyph is always found.
    const auto substitute = [](const char16_t* family, QStringList faces) {
        const QString name = QString::fromUtf16(family);
        if (QFont::substitutes(name).isEmpty())
            QFont::insertSubstitutions(name, faces);
    };
    substitute(PGothic, {u"IPAPGothic"_qs, u"IPA Pゴシック"_qs, u"Noto Sans CJK JP"_qs});
    substitute(Gothic, {u"IPAGothic"_qs, u"IPAゴシック"_qs, u"Noto Sans Mono CJK JP"_qs});
    substitute(Pop, {u"MotoyaLMaru"_qs, u"IPAPGothic"_qs, u"Noto Sans CJK JP"_qs});
}

QFont make(const QString& family, double pointSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

}  // namespace fonts
