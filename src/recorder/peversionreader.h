#pragma once

#include "recorder/bytesource.h"

#include <cstdint>

// How far the version resource of an executable could be read.
enum class PeVersionStatus
{
    NoVersionInfo, // unreadable, no PE image, or no usable version resource
    NoFixedInfo,   // a version resource without a valid fixed version record
    Found,
};

struct PeVersionResult
{
    PeVersionStatus status = PeVersionStatus::NoVersionInfo;
    // The product version's four 16-bit halves, most significant first.
    std::uint16_t product[4] = {0, 0, 0, 0};
};

// Reads the product version from a PE32 or PE32+ image. Every offset and size
// in the file is checked, and only a bounded number of bytes is read, so any
// input, however malformed, gives an answer.
PeVersionResult ReadPeProductVersion(ByteSource& source);
