#pragma once

#include "autofill/FormFields.h"
#include "filling/FormDocumentModel.h"

#include <vector>

struct HtmlPage;

// The page's fields and forms as the recogniser reads them; `handles` receives
// where each field is in the model, in the same order.
PageForms pageFormsOf(const FormDocumentModel& page, std::vector<ElementHandle>& handles);

// The form document of a page read from its HTML: the same model a browser page
// describes itself with, so that form items are looked up by name and index in
// it as on the live page.
FormDocumentModel formDocumentOf(const HtmlPage& page);
