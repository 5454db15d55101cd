// Conversions between UTF-16 and the ANSI code page for the network code (Windows).
#pragma once

#include <windows.h>

#include <string>

#include "Utf16.h"

std::string ToAnsi(const std::u16string& text);
std::u16string FromAnsi(const char* bytes, size_t length);
inline std::u16string FromAnsi(const std::string& bytes) { return FromAnsi(bytes.data(), bytes.size()); }
inline std::u16string FromAnsi(const char* text) { return text ? FromAnsi(text, strlen(text)) : std::u16string(); }
