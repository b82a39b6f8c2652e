#pragma once

#include <QString>

// The program's numbered strings: tooltips, the missing-file message and the
// manifest text. An unknown id gives the empty text.
QString LoadStringResource(int id);
