#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IRandomSource;

// Making profile values fit the fields they go into.

// The length of a text as a browser counts it against a field's maxlength:
// UTF-16 code units, so a character beyond the Basic Multilingual Plane counts twice.
std::size_t fieldLength(std::string_view utf8);

// The text cut to at most `maxLength` at its last word boundary (the words that
// fit, without the spaces and punctuation after them); a first word that alone
// is too long is cut at a character boundary.
std::string cutAtWordBoundary(std::string_view text, std::size_t maxLength);

// Which of the alternatives suits a field that takes at most `maxLength` (none:
// no limit): the preferred one when it fits, otherwise one drawn among those that
// fit; when none fits, the first, to be cut. None for an empty list.
std::optional<std::size_t> fittingIndex(const std::vector<std::string>& alternatives,
    std::optional<std::size_t> maxLength, IRandomSource& random, std::optional<std::size_t> preferred = {});
// One of the alternatives for a field that takes at most `maxLength` (none: no
// limit): the preferred one when it fits, otherwise one drawn among those that
// fit; when none fits, the first cut at a word boundary. None for an empty list.
std::optional<std::string> fittingAlternative(const std::vector<std::string>& alternatives,
    std::optional<std::size_t> maxLength, IRandomSource& random, std::optional<std::size_t> preferred = {});
