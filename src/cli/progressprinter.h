#pragma once

#include "cli/clioptions.h"
#include "imaging/progressrate.h"

#include <QJsonObject>
#include <QString>

#include <cstdio>

enum class ProgressStyle
{
    InPlace, // one terminal line, rewritten
    Lines,   // one line per whole percent
    Json,    // one object per line, for front ends
    None,    // nothing at all
};

// The text for one sample, without line end: "42 %  12.3 MB/s  0:40 left", or
// {"event":"progress","percent":42,"mbPerSecond":12.3,"secondsLeft":40,"output":"..."}.
[[nodiscard]] QString FormatProgress(ProgressStyle style, const ProgressSample& sample,
                                     const QString& output);

[[nodiscard]] ProgressStyle ChooseProgressStyle(ProgressMode mode, bool terminal);

// Prints a build's progress to a stream, each percent once, and for a front
// end the result objects after it.
class ProgressPrinter
{
public:
    ProgressPrinter(ProgressStyle style, std::FILE* stream) : m_style(style), m_stream(stream) {}

    void Begin(const QString& output);
    void Show(const ProgressSample& sample);
    // Ends the line a terminal shows, so that messages start on a line of their own.
    void End();
    // One result object on a line of its own; only front ends read them.
    void PrintResult(const QJsonObject& result);

private:
    ProgressStyle m_style;
    std::FILE* m_stream;
    QString m_output;
    int m_lastPercent = -1;
    bool m_lineOpen = false;
};
