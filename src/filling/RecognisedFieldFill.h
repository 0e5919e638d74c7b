#pragma once

#include "filling/IFormDocument.h"

#include <set>

class FieldRecognizer;
class FormDocumentModel;
class IRandomSource;
struct TabFillState;

namespace SendingProfile {
struct SiteProfile;
}

// The last step of filling a page: the fields that the recogniser understood and
// that no form item named get the profile's values, as long as they are empty or
// hold only what the page put there. Titles, descriptions and keyword lines are
// chosen to fit the field's maxlength, and one pick serves every field that asks
// for the same list; drop-downs and radio buttons are chosen by the profile's
// value, file inputs get the profile's logo and screenshots.
class RecognisedFieldFill {
public:
    RecognisedFieldFill(const FieldRecognizer& recognizer, IRandomSource& random);

    // Fills the page, leaving alone the elements the form items named and every
    // element already written; file inputs get the profile's files only with
    // `withFiles`. Notes each field written in the tab's list and its picks; the
    // number of fields written.
    int fill(FormDocumentModel& page, const std::set<ElementHandle>& named,
        const SendingProfile::SiteProfile& profile, TabFillState& tab, bool withFiles = false) const;

private:
    const FieldRecognizer& m_recognizer;
    IRandomSource& m_random;
};
