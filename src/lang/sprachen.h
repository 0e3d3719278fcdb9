#pragma once
// The numbered string table of the chosen language and the program-wide
// texts composed from it. Texts are Windows-1252.
#include <array>
#include <string>

namespace tovix {

// Entry n (1..200) of the table; "StrIdx Err" for any other n.
const std::string& LanguageString(int n);

// The welcome/info text, the CD batch page's explanation and the five
// placement names; German defaults until a language is loaded.
const std::string& InfoText();
const std::string& BatchPairText();
const std::array<std::string, 5>& PlacementNames();

}  // namespace tovix
