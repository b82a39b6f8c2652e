#include "fakes/checkmessages.h"

#include "imaging/buildresult.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/sourcesizecheck.h"

bool CheckMessages::Ask(const OutcomeText& question)
{
    m_shown.append(question);
    return m_answers.isEmpty() || m_answers.takeFirst();
}

void CheckMessages::Clear()
{
    m_shown.clear();
    m_answers.clear();
}

int CheckDvdFolder(const QString& sourceDirectory, CheckMessages& messages)
{
    const FolderCheckReport report =
        CheckDvdFolder(sourceDirectory, [&messages](const QString& path) {
            return messages.Ask(OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0));
        });
    if (!report.stop)
        return 0;
    if (!ShowsNoBox(*report.stop))
        messages.Tell(ResultBox(*report.stop));
    return -1;
}

SizeVerdict CheckSourceSize(const QString& sourceDirectory, CheckMessages& messages)
{
    return CheckSourceSize(sourceDirectory, [&messages](const QString& question) {
        return messages.Ask(
            {QStringLiteral("DVD Directory Size"), question, OutcomeKind::Question});
    });
}

bool operator==(const OutcomeText& a, const OutcomeText& b)
{
    return a.caption == b.caption && a.text == b.text && a.kind == b.kind;
}

void PrintTo(const OutcomeText& message, std::ostream* out)
{
    *out << "{caption \"" << message.caption.toStdString() << "\", text \""
         << message.text.toStdString() << "\", kind " << static_cast<int>(message.kind) << "}";
}
