#pragma once

#include "cli/exitcodes.h"
#include "cli/exitstatus.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

// How the run for one source or one image ended, as a script reads it: the
// exit status that run alone would give, a fixed outcome word, the prose said
// on standard error, and the command's own keys. With --progress=json it is
// printed as {"event":"result",...} on a line of its own.
class ResultObject
{
public:
    // Says text on standard error and keeps it for "message".
    void Say(const QString& text);
    // Keeps for "message" what was said already, elsewhere.
    void Keep(const QString& text);
    void Set(const QString& key, const QJsonValue& value) { m_object.insert(key, value); }
    // Takes how the run ended and returns its exit status.
    int End(const RunEnd& end);
    // The same for a run that ended before any recording, with no signal.
    int End(BuildOutcome outcome) { return End({outcome, std::nullopt, 0}); }
    [[nodiscard]] int Status() const { return m_status; }
    [[nodiscard]] QJsonObject Object() const;

private:
    QJsonObject m_object;
    QStringList m_said;
    RunEnd m_end;
    int m_status = ExitCode::Success;
};

// A path or a name as a value: null for none.
[[nodiscard]] QJsonValue TextOrNull(const QString& text);
