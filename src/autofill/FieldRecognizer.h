#pragma once

#include "autofill/FieldMeaning.h"
#include "autofill/FormFields.h"
#include "autofill/PhraseMatcher.h"

#include <vector>

class FormWords;

// What the recogniser made of one field.
struct FieldRecognition {
    FieldMeaning meaning = FieldMeaning::Unknown;
    FormKind formKind = FormKind::Submission; // of the form (or the loose fields) it belongs to
    bool withoutHttp = false; // a site address field that asks for the address without "http://"
    bool confirmation = false; // it repeats another field ("confirm e-mail")
    bool handle = false; // a social profile field that asks for the name ("@widgets"), not the address

    bool operator==(const FieldRecognition&) const = default;
};

// What the recogniser made of a page.
struct PageRecognition {
    std::vector<FieldRecognition> fields; // one per field of the page, in its order
    std::vector<FormKind> forms; // one per form of the page, in its order
};

// Gives every field of a page one meaning from what a person reads around it:
// the autocomplete attribute, labels and aria texts weigh most, then the caption
// before it, the placeholder and the title, then its name and id. Names that say
// nothing ("f1", "input_4") simply match no word. Only the visible, writable
// fields of submission forms get a meaning the profile fills; fields of login,
// search, newsletter, comment and payment forms, captchas, traps for robots and
// options that cost or subscribe are left alone.
class FieldRecognizer {
public:
    explicit FieldRecognizer(const FormWords& words);
    // The recogniser of the shipped word lists.
    static const FieldRecognizer& shipped();

    PageRecognition recognise(const PageForms& page) const;

private:
    struct Candidate;
    struct Group;

    Candidate candidateOf(const FormField& field) const;
    // Weighs the field's words by where they stand into the candidate's meaning.
    void readCues(const FormField& field, Candidate& candidate) const;
    FormKind kindOf(
        const Group& group, const PageForms& page, const std::vector<Candidate>& candidates) const;

    PhraseMatcher m_fieldWords;
    PhraseMatcher m_formWords;
};
