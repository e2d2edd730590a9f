#pragma once

#include <string>
#include <string_view>

namespace platform {

// Texts from outside are UTF-8 nowadays, but French spreadsheets and older agendas still save in
// Windows-1252. Standard library only, for the Qt-free libraries too.

// The character a Windows-1252 byte stands for; the five bytes the code page leaves undefined map
// to themselves, as Windows does.
char16_t Windows1252Character(unsigned char byte);

// Well-formed UTF-8: no overlong form, no surrogate, nothing past U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view bytes);

std::string Windows1252ToUtf8(std::string_view bytes);

// Leaves valid UTF-8 as it is; anything else is read as Windows-1252 and converted in place.
// Returns true when it converted, so that the caller can say so.
bool ConvertToUtf8(std::string &text);

} // namespace platform
