#pragma once
// The numbered errors of the document object and their exact texts, as one table. Texts are
// UTF-8; "\r\r" is the two carriage returns between the two parts of some texts.

#include <string>
#include <string_view>

namespace docuvel {

// Error 168 has three texts, for three stages of reading a template.
enum class TemplateFault { NotDocument = 0, BadFirstRecord = 1, BadLaterRecord = 2 };

// The text of error number (variant selects among the texts of 168); empty for an unknown
// number.
std::string_view errorText(int number, int variant = 0);

// Error 155 quotes the colour name as the client gave it.
std::string penColorNotFoundText(std::string_view name);

// File system failures while appending; the client's "Device I/O error".
inline constexpr int kDeviceIoError = 57;

} // namespace docuvel
