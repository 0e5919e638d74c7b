#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The main directory database is stored without its XML declaration and with
// every byte combined by exclusive-or with this key (byte i with key byte i % 8).
// Every reader and writer of scrambled databases uses this one constant.
inline constexpr std::array<std::uint8_t, 8> kDirectoryScrambleKey { 0x5A, 0xC3, 0x17, 0x9E, 0x6B, 0x2D, 0xF0,
    0x84 };

// The declaration put in front of an unscrambled database before parsing.
inline constexpr std::string_view kScrambledDeclaration = "<?xml version=\"1.0\"?>\r\n";

// Applies the key in place; applying it twice gives the original bytes.
void applyScrambleKey(std::string& bytes);

// The XML text of a scrambled file: the declaration line, then the decoded bytes.
std::string unscrambleDatabase(std::string_view scrambled);
// The same in place: `text` holds room for the declaration, then the scrambled bytes.
void unscrambleDatabaseInPlace(char* text, std::size_t size);

// The scrambled form of a plain database: a leading XML declaration and the line
// break after it are dropped, the rest is combined with the key.
std::string scrambleDatabase(std::string_view plainXml);
