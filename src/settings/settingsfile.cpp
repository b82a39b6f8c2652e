#include "settings/settingsfile.h"

#include "settings/settingstext.h"

#include <climits>

namespace {

// A switch is on when the file says 1; the size check is on unless it says 0.
struct SwitchKey
{
    const char* prefix;
    bool SettingsValues::*value;
    bool onlyOne;
};

struct TextKey
{
    const char* prefix;
    QString SettingsValues::*value;
    QByteArray SettingsTextBytes::*bytes;
};

// Each prefix includes the blanks around "=": other spacing is not a match.
constexpr char kSplitImageFile[] = "SplitImageFile = ";
constexpr char kBurnImageFile[] = "BurnImageFile = ";
constexpr char kEraseMedia[] = "EraseMedia = ";
constexpr char kDecrypterPath[] = "DecrypterPath = ";
constexpr char kDriveletter[] = "Driveletter = ";
constexpr char kWriteSpeed[] = "WriteSpeed = ";
constexpr char kCheckDirSize[] = "CheckDirSize = ";

constexpr SwitchKey kSwitchKeys[] = {
    {kSplitImageFile, &SettingsValues::splitImageFile, true},
    {kBurnImageFile, &SettingsValues::burnImageFile, true},
    {kEraseMedia, &SettingsValues::eraseMedia, true},
    {kCheckDirSize, &SettingsValues::checkDirSize, false},
};
constexpr TextKey kTextKeys[] = {
    {kDecrypterPath, &SettingsValues::decrypterPath, &SettingsTextBytes::decrypterPath},
    {kDriveletter, &SettingsValues::driveletter, &SettingsTextBytes::driveletter},
    {kWriteSpeed, &SettingsValues::writeSpeed, &SettingsTextBytes::writeSpeed},
};

constexpr char kRule[] = "###############################################";
constexpr char kTitle[] = "# Isomint Stencil Inifile ";
constexpr char kLineEnd[] = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Line breaks never belong to a value; removing them also keeps a written value
// from spilling into a line of its own.
QByteArray WithoutLineBreaks(QByteArray text)
{
    text.replace('\r', QByteArray());
    text.replace('\n', QByteArray());
    return text;
}

// A native recorder's device ("/dev/sr0", "stdio:/path") is a case-sensitive
// path, unlike a drive letter.
bool IsDevicePath(const QString& drive)
{
    return drive.startsWith(QLatin1Char('/')) ||
           drive.startsWith(QLatin1String("stdio:"), Qt::CaseInsensitive);
}

void ApplyLine(QByteArrayView line, SettingsValues& values)
{
    // The line ends at a NUL byte, as a C string would.
    const qsizetype nul = line.indexOf('\0');
    if (nul >= 0)
        line.truncate(nul);
    if (line.startsWith('#'))
        return;
    for (const SwitchKey& key : kSwitchKeys) {
        if (line.startsWith(key.prefix)) {
            const int number = ParseLeadingInt(line.sliced(qstrlen(key.prefix)));
            values.*key.value = key.onlyOne ? number == 1 : number != 0;
            return;
        }
    }
    for (const TextKey& key : kTextKeys) {
        if (line.startsWith(key.prefix)) {
            // The bytes are kept for the writer; the text is only what they say.
            const QByteArray bytes =
                WithoutLineBreaks(line.sliced(qstrlen(key.prefix)).toByteArray());
            values.fileBytes.*key.bytes = bytes;
            values.*key.value = DecodeSettingsText(bytes);
            if (key.value == &SettingsValues::driveletter && !IsDevicePath(values.driveletter))
                values.driveletter = values.driveletter.toUpper();
            return;
        }
    }
}

QByteArray Switch(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

void AppendLine(QByteArray& text, const char* prefix, const QByteArray& value)
{
    text += prefix;
    text += WithoutLineBreaks(value);
    text += kLineEnd;
}

} // namespace

void ReadSettingsText(const QByteArray& text, SettingsValues& values)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        ApplyLine(QByteArrayView(text).sliced(start, end - start), values);
        start = end;
    }
}

QByteArray FormatSettingsFile(const SettingsValues& values)
{
    QByteArray text;
    for (const char* comment : {kRule, kTitle, kRule}) {
        text += comment;
        text += kLineEnd;
    }
    AppendLine(text, kSplitImageFile, Switch(values.splitImageFile));
    AppendLine(text, kBurnImageFile, Switch(values.burnImageFile));
    AppendLine(text, kEraseMedia, Switch(values.eraseMedia));
    // The file's order is the order of kTextKeys.
    for (const TextKey& key : kTextKeys)
        AppendLine(text, key.prefix,
                   EncodeSettingsText(values.*key.value, values.fileBytes.*key.bytes));
    AppendLine(text, kCheckDirSize, Switch(values.checkDirSize));
    return text;
}

int ParseLeadingInt(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // keeps counting from overflowing
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}
