#pragma once

#include <optional>
#include <string>
#include <string_view>

// What a browser page told about itself when it was read as the answer to a
// submitted form.
struct PageAnswer {
    std::string token; // the identity of the document that answered; empty when none did
    std::optional<std::string> source; // its HTML source

    bool operator==(const PageAnswer&) const = default;
};

// The answer in the JSON the page gives: an object with "token" and "source".
// Text that is not such an object gives an answer without a token; nothing is thrown.
PageAnswer readPageAnswer(std::string_view json);
