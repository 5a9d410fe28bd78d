// The program's strings are single-byte text in the ANSI code page, Windows-1252.
// These are the only conversions to and from UTF-16 (text records, Qt strings).
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string AnsiToUtf16(std::string_view ansi);

// Characters outside Windows-1252 become '?', as Windows' best-fit-free conversion does.
std::string Utf16ToAnsi(std::u16string_view text);

}  // namespace platform
