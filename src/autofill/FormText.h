#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a text is split into words.
enum class TextKind {
    Prose, // what a person reads: a label, a button, a page
    Identifier, // a name, id, class or address path: also split where "camelCase" or a digit begins
};

// The words of a text as the word lists are matched against it: lower case,
// Latin accents folded ("é" is "e", "ß" is "ss"), split at every character that
// is neither a letter nor a digit. Bytes that are not UTF-8 separate words.
std::vector<std::string> textWords(std::string_view text, TextKind kind = TextKind::Prose);

// The words of a text joined by single spaces: the form a phrase of the word
// lists is kept in.
std::string normalisedText(std::string_view text, TextKind kind = TextKind::Prose);
