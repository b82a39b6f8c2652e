#pragma once

// The addresses the About box and the Donation command open.
namespace ProjectAddress {

inline constexpr char Homepage[] = "https://isomint.example.org/";
inline constexpr char HomepageText[] = "isomint.example.org";
inline constexpr char Email[] = "stencil@isomint.example.org";
inline constexpr char Cdrtools[] = "https://sourceforge.net/projects/cdrtools/";
// A payment page: the receiving account follows "business=", the product "item_name=".
inline constexpr char Donation[] = "https://pay.isomint.example.org/donate?cmd=_donations"
                                   "&business=donations%40isomint.example.org"
                                   "&item_name=Isomint%20Stencil";

} // namespace ProjectAddress
