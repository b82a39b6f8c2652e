#pragma once

#include <QStringList>

class DvdImage;

// Players seek by the sectors the information files give, not through the file
// system, so every file can read back whole from an image that still does not
// play: a builder that gives hard-linked files a single copy moves everything
// after them. Checks that each title set's IFO lies where the video manager's
// title table says, its title VOBs where its IFO says, and every .BUP on sectors
// of its own after the other files of its title set.
//
// image: opened, with TitleSetCount and ReadsTitleSet called, which read the
// sectors the information files give. names: the files of the source's VIDEO_TS,
// any of which a backup might share its sectors with.
// Returns one text for the report per mismatch; none when the layout holds.
[[nodiscard]] QStringList DvdLayoutProblems(const DvdImage& image, const QStringList& names);
