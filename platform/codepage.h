#pragma once
// Text conversions between the program's CP949 narrow text and UTF-16 / UTF-8.
// Stands in for: MultiByteToWideChar and WideCharToMultiByte with CP_ACP (Korean code page 949).
// Not here: other code pages, locale-dependent conversions.
//
// Every conversion writes into a bounded buffer, always zero-terminates it (when it has room for
// the terminator at all), and stops before a character that does not fit whole, so a double-byte
// character or a surrogate pair is never split. A character that cannot be converted becomes '?'.
// Each returns the number of units written, without the terminator.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// UTF-16 up to its terminator -> CP949 in dstBytes bytes.
size_t Utf16ToCp949(const char16_t* src, char* dst, size_t dstBytes);
// CP949 up to its terminator -> UTF-16 in dstUnits units.
size_t Cp949ToUtf16(const char* src, char16_t* dst, size_t dstUnits);
// UTF-8 up to its terminator -> CP949 in dstBytes bytes.
size_t Utf8ToCp949(const char* src, char* dst, size_t dstBytes);
// CP949 up to its terminator -> UTF-8 in dstBytes bytes.
size_t Cp949ToUtf8(const char* src, char* dst, size_t dstBytes);

// Unbounded forms.
std::string Utf8ToCp949(std::string_view src);
std::string Cp949ToUtf8(std::string_view src);
std::u16string Cp949ToUtf16(std::string_view src);
std::string Utf16ToCp949(std::u16string_view src);

// CP949 -> Unicode code points, one per character. A lead byte (0x81-0xFE) takes the next byte as
// its trail when that is 0x41-0xFE; a lead byte without one, or a pair with no Unicode equivalent,
// is one U+FFFD (a lone lead byte consumes only itself). For text shaping, where every byte must
// be accounted for rather than replaced by '?'.
std::u32string Cp949ToCodePoints(std::string_view src);

}  // namespace platform
