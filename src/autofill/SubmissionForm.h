#pragma once

#include "autofill/FieldRecognizer.h"

#include <optional>

// The form of a page that takes a site's submission, as the recogniser judges
// the page: a submission form (not a login, search, newsletter, comment or
// payment form) of the top document with a field for the site's address and one
// for its title or its description. Where several qualify, the one with the most
// fields the profile fills. The form's position among the page's forms, -1 for
// fields that stand outside any form; nothing when the page holds no such form.
std::optional<int> findSubmissionForm(const PageForms& page, const PageRecognition& recognition);
