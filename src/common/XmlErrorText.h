#pragma once

#include <string>

// The error text of an XML operation as the stores report it: the error's
// message, then "\r\nDetails: " and the description when there is one.
std::string xmlErrorText(const std::string& message, const std::string& description);
