#include "dialogs/viewtext.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

QString DecodeFileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
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

QString ReadFileForView(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return FileTextToView(DecodeFileText(file.readAll()));
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

bool WriteViewTextToFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = ViewTextToFile(text).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
