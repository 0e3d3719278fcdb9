#pragma once
// Sorting texts the way the user reads them: the collation of the
// environment's locale (German when none is set), letter case ignored.
#include <string>
#include <vector>

namespace tovix {

// Stable sort of Windows-1252 texts in locale order without regard to case.
void SortNoCase(std::vector<std::string>& texts);
// As SortNoCase, then drops every text equal to an earlier one under that order.
void SortUniqueNoCase(std::vector<std::string>& texts);
// Indices of texts in that order; with dropEqual, a text equal to an
// earlier one is left out.
std::vector<std::size_t> CollatedOrder(const std::vector<std::string>& texts, bool dropEqual);
// The ICU locale name the sort uses ("de_DE" when the environment names none).
std::string CollationLocale();

}  // namespace tovix
