#include "common/XmlErrorText.h"

std::string xmlErrorText(const std::string& message, const std::string& description)
{
    if (description.empty())
        return message;
    return message + "\r\nDetails: " + description;
}
