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

// Turns a text file's bytes into UTF-8 in place, without a byte-order mark: UTF-16 with its mark
// is converted; valid UTF-8 stays as it is; in anything else each byte that is not part of a
// well-formed UTF-8 sequence is read as Windows-1252 (a French spreadsheet's file, or a UTF-8
// file where one hand-typed Latin-1 byte must not turn every accent into two signs). Returns
// true when Windows-1252 bytes were read, so that the caller can say so.
bool ConvertToUtf8(std::string &text);

// Whether a character is one that must never reach a name, a label or a file name: a control
// character (C0, DEL, C1) or an invisible bidirectional mark or override (U+200E, U+200F, U+061C,
// U+202A to U+202E, U+2066 to U+2069), which can make a name read backwards.
bool IsHiddenControl(char32_t character);

// A UTF-8 text without its bidirectional marks and overrides, and with its control characters
// (line breaks, tabs...) as spaces.
std::string WithoutHiddenControls(std::string_view utf8);

} // namespace platform
