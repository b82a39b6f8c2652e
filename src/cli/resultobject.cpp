#include "cli/resultobject.h"

#include "cli/stderrlines.h"

void ResultObject::Say(const QString& text)
{
    if (text.isEmpty())
        return;
    PrintError(text);
    m_said << text;
}

void ResultObject::Keep(const QString& text)
{
    if (!text.isEmpty())
        m_said << text;
}

int ResultObject::End(const RunEnd& end)
{
    m_end = end;
    m_status = ExitStatusOf(end);
    return m_status;
}

QJsonObject ResultObject::Object() const
{
    QJsonObject object = m_object;
    object.insert(QStringLiteral("event"), QStringLiteral("result"));
    object.insert(QStringLiteral("status"), m_status);
    object.insert(QStringLiteral("outcome"), OutcomeWordOf(m_end));
    object.insert(QStringLiteral("message"), m_said.join(QLatin1Char('\n')));
    return object;
}

QJsonValue TextOrNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}
