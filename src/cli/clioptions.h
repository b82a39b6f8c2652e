#pragma once

#include <QString>
#include <QStringList>

enum class ProgressMode
{
    Automatic, // in place on a terminal, else one line per percent
    Lines,
    Json,
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
    bool split = false;
    bool sizeCheck = false;
    bool record = false; // build: record the image once it is built
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
