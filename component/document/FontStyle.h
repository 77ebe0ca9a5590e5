#pragma once
// Font style words, their style-code letters, the face-name abbreviations, and the check that a
// style text is made of style words only.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace docuvel {

// What a style text holds, or which rule it breaks.
enum class StyleFault { Empty, TwoWeights, WideAndNarrow, PlainWithOthers, Unknown };

// "Plain", or the lower-cased text with the first occurrence of each style word capitalised.
std::variant<std::string, StyleFault> parseFontStyle(std::string_view style);

// Letters b, i, u, s, l, w, n, h of the words in a stored style; empty for "Plain".
std::string styleCode(std::string_view style);

// A style rebuilt from code letters, as a copied font record sets it: "BoldItalic", "Plain".
std::string styleFromCode(std::string_view code);

// The full face of an abbreviation ("tnr", "a", ...), else the name as given.
std::string expandFaceName(std::string_view name);

} // namespace docuvel
