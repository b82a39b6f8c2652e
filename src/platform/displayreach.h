#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Whether the window system Qt would start for these arguments (argv with the
// program name first) and this environment has a display to connect to. Qt
// aborts when none of its platforms starts, so this is asked first. Only X11
// and Wayland are judged; any other platform (offscreen, minimal, a frame
// buffer) counts as reachable and is left to Qt.
[[nodiscard]] bool DisplayReachable(const QStringList& arguments,
                                    const QProcessEnvironment& environment);
