#pragma once

#include "platform/childprocess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class QObject;

// A child to be run to its end.
struct ChildRunSpec
{
    QString program; // a path, or a name searched in PATH
    QStringList arguments;
    ChildOutput kept = ChildOutput::Both; // what the result's output holds
    ChildTie tie = ChildTie::Program;
    // Past this the child is ended: SIGTERM, the grace, SIGKILL. None: it may
    // run as long as it likes.
    std::optional<std::chrono::milliseconds> bound;
    std::chrono::milliseconds grace{500};
};

// What a child run came to.
struct ChildRunResult
{
    int startError = 0;   // the errno of a failed start; nothing ran then
    bool overran = false; // still running when its bound was over, so it was ended
    ChildStatus status;
    QByteArray output; // the last ChildRunOutputKept bytes of what was kept

    // Exited by itself with 0.
    [[nodiscard]] bool Succeeded() const;
};

// Programs put their conclusions last; a chatty one must not fill the memory.
constexpr qsizetype ChildRunOutputKept = 64 * 1024;

using ChildRunDone = std::function<void(const ChildRunResult&)>;

// Runs a child without blocking. Returns at once; `done` gets the result from
// the event loop, never within this call, once the child has ended or failed
// to start. It is dropped when `context` (if any) is destroyed first: the run
// holds its child until the child ends, whoever asked for it is gone.
void RunChild(const ChildRunSpec& spec, QObject* context, ChildRunDone done);
