#pragma once

#include <QString>

// The label proposed when a name gives nothing usable.
inline constexpr char DefaultVolumeId[] = "NO_NAME";

// The longest label the derivation returns, in characters.
inline constexpr int MaxVolumeIdLength = 32;

// Turns a folder name or a typed label into a volume label: composed (NFC),
// upper case, separators to "_", umlauts spelled out, brackets and the like
// removed, cut to 32 characters. Works on characters, never on bytes, and never fails; what it
// leaves outside the allowed set is for the caller's validation to refuse.
QString DeriveVolumeId(const QString& name);

// The label proposed for a folder name: derived as above, then every character
// the build would refuse becomes "_", so that the build never refuses it. A
// name that leaves nothing of its own (empty, or only replaced characters)
// gives the default.
QString ProposeVolumeId(const QString& folderName);
