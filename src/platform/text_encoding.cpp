#include "platform/text_encoding.h"

#include <array>

namespace platform {

namespace {

// Bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string &out, char32_t character)
{
    if (character < 0x80) {
        out.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (character >> 6)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else if (character < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (character >> 12)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (character >> 18)));
        out.push_back(static_cast<char>(0x80 | ((character >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    }
}

// The length of the well-formed UTF-8 sequence at the start of `bytes` and its character, or 0.
std::size_t Utf8Sequence(std::string_view bytes, char32_t &code)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// UTF-16 after its byte-order mark; an odd last byte and lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    if (bytes.size() % 2 != 0)
        AppendUtf8(out, 0xFFFD);
    return out;
}

} // namespace

char16_t Windows1252Character(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

bool IsValidUtf8(std::string_view bytes)
{
    char32_t code = 0;
    for (std::size_t i = 0, length = 0; i < bytes.size(); i += length) {
        length = Utf8Sequence(bytes.substr(i), code);
        if (length == 0)
            return false;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes)
        AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(byte)));
    return out;
}

bool ConvertToUtf8(std::string &text)
{
    const std::string_view view(text);
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
        text = Utf16ToUtf8(view.substr(2), view[0] == '\xFE');
        return false;
    }
    if (view.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    if (IsValidUtf8(text))
        return false;
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Sequence(std::string_view(text).substr(i), code);
        if (length > 1) {
            out.append(text, i, length);
            i += length;
        } else {
            AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(text[i])));
            ++i;
        }
    }
    text = std::move(out);
    return true;
}

bool IsHiddenControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string WithoutHiddenControls(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    char32_t code = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = Utf8Sequence(utf8.substr(i), code);
        if (length == 0)
            length = 1, code = 0xFFFD;
        if (!IsHiddenControl(code))
            out.append(utf8.substr(i, length));
        else if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
            out.push_back(' ');
        i += length;
    }
    return out;
}

} // namespace platform
