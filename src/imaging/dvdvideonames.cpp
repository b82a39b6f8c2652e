#include "imaging/dvdvideonames.h"

namespace {

using Kind = DvdVideoName::Kind;

// Both patterns are twelve characters long.
constexpr qsizetype NameLength = 12;

std::optional<Kind> KindOf(QStringView extension)
{
    if (extension == QLatin1String("IFO"))
        return Kind::Information;
    if (extension == QLatin1String("BUP"))
        return Kind::Backup;
    if (extension == QLatin1String("VOB"))
        return Kind::Video;
    return std::nullopt;
}

int DigitAt(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

// upper: the name upper-cased, VTS_nn_m.EXT.
std::optional<DvdVideoName> ParseTitleSetName(QStringView upper, Kind kind)
{
    const int tens = DigitAt(upper, 4);
    const int ones = DigitAt(upper, 5);
    const int part = DigitAt(upper, 7);
    if (!upper.startsWith(QLatin1String("VTS_")) || upper[6] != u'_' || upper[8] != u'.' ||
        tens < 0 || ones < 0 || part < 0)
        return std::nullopt;
    const int titleSet = tens * 10 + ones;
    // Only the title VOBs are numbered; the information files are part 0.
    if (titleSet == 0 || (kind != Kind::Video && part != 0))
        return std::nullopt;
    return DvdVideoName{kind, titleSet, part};
}

} // namespace

std::optional<DvdVideoName> ParseDvdVideoFileName(const QString& name)
{
    if (name.size() != NameLength)
        return std::nullopt;
    for (const QChar c : name)
        if (c.unicode() > 0x7f)
            return std::nullopt;
    const QString upper = name.toUpper(); // ASCII only, so no letter turns into another
    const auto kind = KindOf(QStringView(upper).last(3));
    if (!kind)
        return std::nullopt;
    if (upper.startsWith(QLatin1String("VIDEO_TS.")))
        return DvdVideoName{*kind, 0, 0};
    return ParseTitleSetName(upper, *kind);
}

bool IsDvdVideoFileName(const QString& name)
{
    return ParseDvdVideoFileName(name).has_value();
}
