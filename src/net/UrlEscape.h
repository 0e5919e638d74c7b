#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Escapes text that goes into one segment of a URL (a query value, a form field):
// the space, control bytes, bytes from 0x80 on and ^ & ` { } | ] [ " < > \ / ? # ;
// become %XX with upper-case hex digits; every other byte stays as it is (the
// per cent sign included). The result must fit a buffer of `bufferSize`
// characters together with a terminating zero, that is at most bufferSize - 1
// characters; a longer result is a failure and gives nothing.
std::optional<std::string> escapeUrlSegment(std::string_view text, std::size_t bufferSize);

// As escapeUrlSegment, but when the whole text does not fit it escapes the longest
// leading part that does, never splitting a UTF-8 character.
std::string escapeUrlSegmentPrefix(std::string_view text, std::size_t bufferSize);

// Escapes a value of a form body (application/x-www-form-urlencoded) as
// escapeUrlSegment does, and "%" and "+" as well, which a form reader would
// otherwise decode (to the byte they introduce, and to a blank), so that the
// reader gets back exactly the text given. Nothing when it does not fit.
std::optional<std::string> escapeFormValue(std::string_view text, std::size_t bufferSize);

// As escapeFormValue, but when the whole text does not fit it escapes the longest
// leading part that does, never splitting a UTF-8 character.
std::string escapeFormValuePrefix(std::string_view text, std::size_t bufferSize);
