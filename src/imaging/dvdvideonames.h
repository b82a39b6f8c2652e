#pragma once

#include <QString>

#include <optional>

// A file name a DVD player looks for in VIDEO_TS.
struct DvdVideoName
{
    enum class Kind
    {
        Information, // .IFO
        Backup,      // .BUP
        Video,       // .VOB
    };
    Kind kind = Kind::Information;
    int titleSet = 0; // 0: the video manager (VIDEO_TS.*), else 1 to 99
    int part = 0;     // a VOB's number: 0 for the menu, 1 to 9 for the title; 0 for IFO and BUP
};

// Reads VIDEO_TS.IFO/BUP/VOB, VTS_nn_0.IFO/BUP and VTS_nn_m.VOB (nn 01 to 99,
// m 0 to 9). Letters match in either case, as players and the image reader
// match them, but only ASCII ones: "ſ" must not pass for "S".
[[nodiscard]] std::optional<DvdVideoName> ParseDvdVideoFileName(const QString& name);

[[nodiscard]] bool IsDvdVideoFileName(const QString& name);
