#include "autofill/SubmissionForm.h"

#include <map>

namespace {

struct Evidence {
    bool url = false;
    bool titleOrDescription = false;
    bool submission = true;
    int filled = 0;
};

} // namespace

std::optional<int> findSubmissionForm(const PageForms& page, const PageRecognition& recognition)
{
    std::map<int, Evidence> groups;
    const std::size_t count = std::min(page.fields.size(), recognition.fields.size());
    for (std::size_t at = 0; at < count; ++at) {
        const FormField& field = page.fields[at];
        const FieldRecognition& recognised = recognition.fields[at];
        // Form items address the top document only.
        if (!field.cues.frame.empty())
            continue;
        const int form = field.form >= 0 && static_cast<std::size_t>(field.form) < page.forms.size()
                && page.forms[static_cast<std::size_t>(field.form)].frame.empty()
            ? field.form
            : -1;
        Evidence& evidence = groups[form];
        evidence.submission = evidence.submission && recognised.formKind == FormKind::Submission;
        evidence.url = evidence.url || recognised.meaning == FieldMeaning::SiteUrl;
        evidence.titleOrDescription = evidence.titleOrDescription
            || recognised.meaning == FieldMeaning::SiteTitle
            || recognised.meaning == FieldMeaning::Description;
        evidence.filled += fillsFromProfile(recognised.meaning);
    }
    std::optional<int> best;
    int bestFilled = 0;
    for (const auto& [form, evidence] : groups) {
        if (!evidence.submission || !evidence.url || !evidence.titleOrDescription)
            continue;
        if (!best || evidence.filled > bestFilled) {
            best = form;
            bestFilled = evidence.filled;
        }
    }
    return best;
}
