#pragma once

#include "autofill/SubmissionJudge.h"

#include <optional>
#include <string>
#include <string_view>

// What a browser page told about itself when it was read as the answer to a
// submitted form.
struct PageAnswer {
    std::string token; // the identity of the document that answered; empty when none did
    std::optional<std::string> source; // its HTML source
    SubmissionAnswer answer; // what a person reads there, and the text fields it shows
    // What appeared on the form's own page after a submission that stayed
    // there, rather than a page that followed it.
    bool message = false;

    bool operator==(const PageAnswer&) const = default;
};

// A form the filling wrote into was submitted: on which document, and how.
struct FormSubmission {
    std::string token; // the identity of the form's document
    SubmittedForm form;

    bool operator==(const FormSubmission&) const = default;
};

// The answer in the JSON the page gives: an object with "token", "source",
// "message", "texts" (objects with "kind": "message", "heading" or "text", and
// "text") and "fields" (objects with "name", "value" and "form"). Text that is
// not such an object gives an answer without a token; nothing is thrown.
PageAnswer readPageAnswer(std::string_view json);

// A submission as the page tells it: an object with "token", "fields" (objects
// with "name" and "value") and "texts" (what the page showed). Nothing without
// a token.
std::optional<FormSubmission> readFormSubmission(std::string_view json);
