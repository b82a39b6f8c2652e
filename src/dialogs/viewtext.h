#pragma once

#include <QByteArray>
#include <QString>

// Line-break forms of the texts the viewers show. A file read "in text mode"
// has CR LF pairs as LF and keeps a lone CR; a multi-line view wants CR LF.

// How a file's bytes were taken as text, so that the text can be written back
// as the same bytes.
enum class TextEncoding
{
    Utf8,
    Latin1,
};

// The bytes of a text file as text: UTF-8 when they are valid UTF-8, else
// Latin-1, one character per byte, so nothing is dropped.
QString DecodeFileText(const QByteArray& bytes, TextEncoding* encoding = nullptr);

// File form to view form: CR LF stays, LF becomes CR LF, a lone CR stays.
QString FileTextToView(const QString& text);

// View form back to file form: every CR LF becomes LF, a lone CR stays.
QString ViewTextToFile(const QString& text);

// The whole file in view form; empty when it cannot be opened. A NUL byte is
// kept like any other character, so the rest of the text is not lost.
QString ReadFileForView(const QString& path, TextEncoding* encoding = nullptr);

// What a plain-text widget is given for a view-form text: the widget itself
// would break lines at a lone CR and drop what follows a NUL, so both are shown
// as their control pictures and only CR LF breaks a line.
QString ViewTextForDisplay(const QString& text);

// Writes the view-form text as plain LF lines in the given encoding, replacing
// the file atomically where its folder allows, else in place. False when the
// target cannot be written; the old file then stays.
bool WriteViewTextToFile(const QString& path, const QString& text,
                         TextEncoding encoding = TextEncoding::Utf8);
