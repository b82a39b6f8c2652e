#pragma once

#include <QString>
#include <QStringList>

class ProgramSettings;
struct RecordingChoices;

// Everything the recorder's command line is made of.
struct DecrypterCall
{
    QString decrypterPath; // inserted as stored, without quotes
    bool erase = false;
    bool verify = false;   // the main window's verify value
    bool shutdown = false; // the main window's shutdown value
    QString version;       // the installed recorder's version, "a.b.c.d"
    QString speedText;     // the selected Recording Speed item; empty for none
    QString source;        // the image, or the image list of a split image
    QString drive;
};

// The exact command line: "%s /MODE ISOWRITE /START %s%s%s%s /SRC \"%s\" /DEST %s".
// The source is escaped by the Windows rules inside its quotes, which leaves
// any path without a quote or a trailing backslash as it is.
QString FormDecrypterCommandLine(const DecrypterCall& call);

// The program and arguments that start it here: the recorder path taken whole
// as the program, the rest of the line split by the Windows rules. A recorder
// ending in ".exe" runs under wine (winePath); an empty program means it cannot start.
struct DecrypterStart
{
    QString program;
    QStringList arguments;
};
DecrypterStart DecrypterStartFor(const DecrypterCall& call, const QString& winePath);

// Hands the finished image to the recorder when recording is on: forms the
// line from the settings and the window's choices and starts the recorder
// detached, without waiting for it. A failed start shows nothing.
void DecrypterBurn(ProgramSettings& settings, const RecordingChoices& choices,
                   const QString& outputFile);

// The same for an image made earlier: source is the image or its list, as chosen.
void DecrypterBurnSource(ProgramSettings& settings, const RecordingChoices& choices,
                         const QString& source);
