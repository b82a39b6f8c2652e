#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <initializer_list>
#include <utility>

// An environment holding exactly the given variables.
inline QProcessEnvironment
Environment(std::initializer_list<std::pair<const char*, QString>> values)
{
    QProcessEnvironment environment;
    for (const auto& [name, value] : values)
        environment.insert(QLatin1String(name), value);
    return environment;
}
