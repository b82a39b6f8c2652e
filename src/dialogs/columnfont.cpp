#include "dialogs/columnfont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QSet>

#include <optional>

namespace {

QSet<char32_t> CharactersOf(const QString& text)
{
    QSet<char32_t> characters;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (c != U'\n' && c != U'\r' && c != U'\t')
            characters.insert(static_cast<char32_t>(c));
    }
    return characters;
}

QFont FamilyFont(const QString& family, const QFont& base)
{
    QFont font(base);
    font.setFamilies({family});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// Whether every character of text advances by the same width in font. Line
// ends and tabs do not count: they never stand inside a column.
bool AdvancesEvenly(const QFont& font, const QString& text)
{
    const QFontMetricsF metrics(font);
    std::optional<qreal> width;
    for (const char32_t c : CharactersOf(text)) {
        const qreal advance = metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        if (!width)
            width = advance;
        else if (!qFuzzyCompare(*width, advance))
            return false;
    }
    return true;
}

} // namespace

QFont ColumnFont(const QString& text)
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (AdvancesEvenly(system, text))
        return system;
    // Families that claim fixed pitch first, then any that happens to fit.
    QStringList families;
    const QStringList all = QFontDatabase::families();
    for (const QString& family : all) {
        if (QFontDatabase::isFixedPitch(family))
            families.append(family);
    }
    for (const QString& family : all) {
        if (!families.contains(family))
            families.append(family);
    }
    for (const QString& family : families) {
        const QFont font = FamilyFont(family, system);
        if (AdvancesEvenly(font, text))
            return font;
    }
    return system;
}
