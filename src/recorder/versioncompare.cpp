#include "recorder/versioncompare.h"

#include <QList>
#include <QStringView>
#include <array>
#include <optional>

namespace {

using VersionParts = std::array<quint32, 4>;

// Four dot-separated decimal numbers, each within 32 bits; anything else is unparsable.
std::optional<VersionParts> ParseVersion(QStringView text)
{
    const QList<QStringView> pieces = text.split(QLatin1Char('.'));
    if (pieces.size() != 4)
        return std::nullopt;
    VersionParts parts{};
    for (qsizetype i = 0; i < 4; ++i) {
        const QStringView piece = pieces[i];
        if (piece.isEmpty())
            return std::nullopt;
        quint64 value = 0;
        for (const QChar c : piece) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            value = value * 10 + static_cast<quint64>(c.unicode() - '0');
            if (value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        parts[static_cast<std::size_t>(i)] = static_cast<quint32>(value);
    }
    return parts;
}

} // namespace

bool IsVersionAbove(const QString& version, const char* threshold)
{
    const auto parts = ParseVersion(version);
    const auto limit = ParseVersion(QString::fromLatin1(threshold));
    if (!parts || !limit)
        return false;
    return *parts > *limit;
}
