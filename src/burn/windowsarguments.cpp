#include "burn/windowsarguments.h"

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList SplitWindowsArguments(const QString& text)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = text.at(i);
        if (IsBlank(c) && !quoted) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == QLatin1Char('\\')) {
            qsizetype count = 0;
            while (i < size && text.at(i) == QLatin1Char('\\')) {
                ++count;
                ++i;
            }
            const bool beforeQuote = i < size && text.at(i) == QLatin1Char('"');
            current += QString(beforeQuote ? count / 2 : count, QLatin1Char('\\'));
            if (beforeQuote && count % 2 == 1) {
                current += QLatin1Char('"');
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                current += QLatin1Char('"');
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

QString EscapeInsideWindowsQuotes(const QString& argument)
{
    QString escaped;
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        const bool quote = c == QLatin1Char('"');
        escaped += QString(quote ? 2 * backslashes + 1 : backslashes, QLatin1Char('\\'));
        escaped += c;
        backslashes = 0;
    }
    // The closing quote follows: backslashes before it must not escape it.
    return escaped + QString(2 * backslashes, QLatin1Char('\\'));
}
