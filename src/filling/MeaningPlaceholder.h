#pragma once

#include "autofill/FieldMeaning.h"

#include <optional>
#include <string_view>

// The value template (placeholders that are expanded against the profile) that
// fills a field of a recognised meaning: "#title#", "#url#" or
// "#url_no_http#", "#fname# #lname#", "#email#", ... The recognised fill and the
// learning of a directory's form both take it from here. Nothing for the meanings
// no text fills: the category, the agreement box, files, a social handle (no
// template gives "@name") and everything left alone.
std::optional<std::string_view> placeholderFor(FieldMeaning meaning, bool withoutHttp, bool handle = false);
