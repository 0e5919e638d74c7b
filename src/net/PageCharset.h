#pragma once

#include <string>
#include <string_view>

// The character set a fetched page is written in, as a browser finds it: a
// byte order mark, else the charset of the Content-Type header, else a
// <meta charset> or <meta http-equiv="Content-Type"> among the page's first
// 1024 bytes. The name is in lower case, with the labels that browsers read
// as another set (latin1, us-ascii, gb2312, ...) given as that set; "" when
// the page names none.
std::string pageCharset(std::string_view contentType, std::string_view body);

// The page's text in UTF-8: converted from the set it names, a byte that is
// not valid there becoming U+FFFD. A page in UTF-8, one that names no set and
// one in a set that this system cannot convert are left as they came.
std::string pageTextAsUtf8(std::string_view contentType, std::string body);
