#include "imaging/volumeid.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/windows1252case.h"

#include <QList>

#include <algorithm>
#include <string>

namespace {

struct Replacement
{
    char32_t from;
    const char32_t* to;
};

// Applied one after the other, each to the whole text, in this order.
constexpr Replacement kReplacements[] = {
    {U' ', U"_"},  {U'-', U"_"},  {U'.', U"_"},  {U'+', U"_"}, {U'&', U"_"}, {U'Ö', U"OE"},
    {U'Ä', U"AE"}, {U'Ü', U"UE"}, {U'ß', U"SS"}, {U'#', U""},  {U'(', U""},  {U')', U""},
    {U'[', U""},   {U']', U""},   {U'{', U""},   {U'}', U""},  {U',', U""},  {U'\\', U""},
};

std::u32string ToCharacters(const QString& text)
{
    // Unpaired surrogates come back as one replacement character each.
    const QList<uint> ucs4 = text.toUcs4();
    return std::u32string(ucs4.cbegin(), ucs4.cend());
}

QString FromCharacters(const std::u32string& characters)
{
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

void ReplaceAll(std::u32string& text, char32_t from, const std::u32string& to)
{
    std::u32string result;
    result.reserve(text.size());
    for (const char32_t character : text) {
        if (character == from)
            result += to;
        else
            result += character;
    }
    text.swap(result);
}

// Asks the build's own check, so that a proposal can never fall foul of it.
bool IsAllowedInVolumeId(char32_t character)
{
    return !FindUnsupportedVolumeIdChar(FromCharacters(std::u32string(1, character)));
}

} // namespace

QString DeriveVolumeId(const QString& name)
{
    // Names copied from some Mac file systems spell Ä as A and a combining
    // diaeresis; composed, they meet the rules below as typed names do.
    std::u32string text = ToCharacters(name.normalized(QString::NormalizationForm_C));
    if (text.size() < 2 || text.find(U':') != std::u32string::npos)
        return QLatin1String(DefaultVolumeId);

    for (char32_t& character : text)
        character = UpperWindows1252(character);
    for (const Replacement& rule : kReplacements)
        ReplaceAll(text, rule.from, rule.to);

    if (text.size() > static_cast<size_t>(MaxVolumeIdLength))
        text.resize(MaxVolumeIdLength);
    return FromCharacters(text);
}

QString ProposeVolumeId(const QString& folderName)
{
    // Per character, not per UTF-16 unit: an emoji becomes one "_", and the
    // derived label's 32 characters stay 32.
    std::u32string text = ToCharacters(DeriveVolumeId(folderName));
    bool replaced = false;
    for (char32_t& character : text) {
        if (IsAllowedInVolumeId(character))
            continue;
        character = U'_';
        replaced = true;
    }
    const bool onlyUnderscores =
        std::ranges::all_of(text, [](char32_t character) { return character == U'_'; });
    if (text.empty() || (replaced && onlyUnderscores))
        return QLatin1String(DefaultVolumeId);
    return FromCharacters(text);
}
