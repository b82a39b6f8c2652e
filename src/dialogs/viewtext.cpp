#include "dialogs/viewtext.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

QString DecodeFileText(const QByteArray& bytes, TextEncoding* encoding)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    const TextEncoding used = utf8.hasError() ? TextEncoding::Latin1 : TextEncoding::Utf8;
    if (encoding != nullptr)
        *encoding = used;
    return used == TextEncoding::Utf8 ? text : QString::fromLatin1(bytes);
}

QString FileTextToView(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return result;
}

QString ViewTextToFile(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QString ReadFileForView(const QString& path, TextEncoding* encoding)
{
    if (encoding != nullptr)
        *encoding = TextEncoding::Utf8;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return FileTextToView(DecodeFileText(file.readAll(), encoding));
}

QString ViewTextForDisplay(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            shown += u'\n';
            ++i;
        } else if (c == u'\r') {
            shown += QChar(0x240D); // SYMBOL FOR CARRIAGE RETURN
        } else if (c == u'\0') {
            shown += QChar(0x2400); // SYMBOL FOR NULL
        } else {
            shown += c;
        }
    }
    return shown;
}

bool WriteViewTextToFile(const QString& path, const QString& text, TextEncoding encoding)
{
    QSaveFile file(path);
    // A writable file in a folder that takes no new files is still written,
    // in place, since a replacement cannot be made there.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString fileText = ViewTextToFile(text);
    const QByteArray bytes =
        encoding == TextEncoding::Latin1 ? fileText.toLatin1() : fileText.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
