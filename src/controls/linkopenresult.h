#pragma once

#include <QString>

#include <functional>
#include <optional>

// Why an address could not be opened; each reason has its own text.
enum class OpenLinkCode
{
    FileNotFound,
    PathNotFound,
    AccessDenied,
    BadExecutable,
    NoAssociation,
    NoOpener, // the desktop's opener itself is not installed
};

// What opening an address came to.
struct LinkOpenResult
{
    std::optional<OpenLinkCode> failure; // none: the address was opened
    QString detail;                      // the opener's own words on a failure, if any

    [[nodiscard]] bool Opened() const { return !failure.has_value(); }
};

// Called once with the result; never after its context object is gone.
using LinkOpenDone = std::function<void(const LinkOpenResult&)>;

// The reason for an exit status of the desktop opener (xdg-open's numbering).
[[nodiscard]] OpenLinkCode OpenLinkCodeOfOpenerExit(int exitCode);
