#include "controls/tooltiptext.h"

#include <QStringList>

namespace {

QString WrapLine(const QString& line, const QFontMetrics& metrics, int maxWidth)
{
    QStringList lines;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > maxWidth) {
            lines.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    lines.append(current);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString WrapTooltipText(const QString& text, const QFontMetrics& metrics, int maxWidth)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = WrapLine(line, metrics, maxWidth);
    return lines.join(QLatin1Char('\n'));
}
