// Localised texts: a key is looked up in one section of a language file (an INI
// file beside the program) with a built-in default, and its C-style backslash
// escapes are decoded. This part is free of Windows calls; the profile reader is
// passed in (the Windows build hands in GetPrivateProfileStringW).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Reads the value of key in section of the INI file at path into buffer (size
// characters, terminator included), with def when the file or the key is absent.
// Answers the number of characters stored without the terminator; a value that
// does not fit is cut and the answer is size - 1 (the contract of
// GetPrivateProfileStringW).
using ProfileReader = std::function<uint32_t(
    const std::u16string& section, const std::u16string& key, const std::u16string& def,
    char16_t* buffer, uint32_t size, const std::u16string& path)>;

// Longest text ReadText asks for; a longer value comes back cut to this length.
constexpr uint32_t kMaxTextLength = 1u << 24;

// The raw text of key: the default when the file or the key is absent, an empty
// text when the key's value is empty. The buffer starts at the default's length
// plus 2, so a text no longer than its default takes one read; it grows until the
// value fits.
std::u16string ReadText(const ProfileReader& reader, const std::u16string& section,
                        const std::u16string& key, const std::u16string& def,
                        const std::u16string& path);

// Replaces the backslash escapes of text in place: \\ \a \b \f \n \r \t \v, \x or \X
// with up to three hexadecimal digits, up to three octal digits. A code of zero
// inserts nothing; any other character after a backslash stays without it; a
// backslash at the very end stays. The character that takes an escape's place is
// never the start of another escape.
void DecodeEscapes(std::u16string& text);

// The language file beside the program whose full file name is moduleName: its
// directory, a backslash and fileName; the bare fileName when moduleName holds no
// backslash.
std::u16string TextFilePathFromModuleName(std::u16string_view moduleName,
                                          std::u16string_view fileName);

// The same from a whole command line, for a program that runs from a temporary
// copy started with the original's command line: a leading double quote and the
// next double quote are removed, then the line is cut before its last backslash,
// wherever it stands.
std::u16string TextFilePathFromCommandLine(std::u16string_view commandLine,
                                           std::u16string_view fileName);
