#pragma once
// Placeholders in texts: dates, times, the page number and tabs stay unexpanded in document
// files and are expanded on a copy whenever a text is drawn or measured.

#include <QDateTime>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace docuvel {

// The page the renderer started last; 0 before any page was rendered. Component-wide.
std::int16_t currentPageNumber();
void setCurrentPageNumber(std::int16_t page);

// The clock read at each replacement. Tests fix it; an empty function restores the system clock.
void setPlaceholderClock(std::function<QDateTime()> clock);

// True when the text holds "@@", "::" or "##": the callers expand only such texts (the text
// playback also those with a tab).
bool holdsPlaceholder(std::string_view text);

// The expanded copy of a cp1252 text; day and month names follow the default locale.
std::string ExpandPlaceholders(std::string_view text);

} // namespace docuvel
