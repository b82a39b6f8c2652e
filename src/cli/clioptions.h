#pragma once

#include <QString>
#include <QStringList>

#include <optional>

enum class ProgressMode
{
    Automatic, // in place on a terminal, else one line per percent
    Lines,
    Json, // progress and result objects, one per line
    None, // nothing on standard output
};

enum class AnswerMode
{
    Ask, // on a terminal; without one the safe answer, No
    Yes,
    No,
};

// The command line of isomint-cli, parsed but not yet checked against the command.
struct CliOptions
{
    QString command;
    QStringList operands;
    QString volumeId;
    QString outputDir;
    // --split / --no-split, --size-check / --no-size-check; none: the settings say.
    std::optional<bool> split;
    std::optional<bool> sizeCheck;
    QString settingsFile;      // --settings FILE: read it instead of stencil.ini
    bool noSettings = false;   // --no-settings: the built-in defaults, no file read
    QString sourcesFrom;       // --sources-from FILE, "-" for standard input
    bool nulSeparated = false; // -0: that list is separated by NUL, not by lines
    bool dryRun = false;       // --dry-run: say what would be done, change nothing
    QString checksum;          // --checksum=sha256
    bool record = false;       // build: record the image once it is built
    QString device;
    QString speed;
    bool erase = false;
    bool verify = false;
    bool eject = false;
    AnswerMode answer = AnswerMode::Ask;
    ProgressMode progress = ProgressMode::Automatic;
    bool help = false;
    bool version = false;
    QString error; // set when the command line cannot be used
};

// Everything after the program name. Options may come before or after the
// operands; "--" ends them, so that a folder named "-x" can be given.
[[nodiscard]] CliOptions ParseCliOptions(const QStringList& arguments);
