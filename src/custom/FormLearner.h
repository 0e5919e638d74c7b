#pragma once

#include "autofill/FieldMeaning.h"
#include "directories/DirectoryItem.h"

#include <string_view>
#include <vector>

class FieldRecognizer;
class FormDocumentModel;

// One field of a page's submission form, learned as a form item.
struct LearnedItem {
    DirectoryItem item;
    FieldMeaning meaning = FieldMeaning::Unknown; // what the recogniser took the field for
};

// The form items of a page's submission form, as the recogniser understands it.
struct LearnedForm {
    bool found = false; // the page holds a submission form
    std::vector<LearnedItem> items; // in document order
};

// Learns a directory's form from a page the way the directory store keeps it:
// each field of the page's submission form that the profile fills becomes an item
// named by the field's name (its id when it has none) with its index among the
// page's elements of that name, as filling looks it up. Text fields get the
// placeholder template of their meaning ("#title#", "#fname# #lname#", ...), the
// category drop-down a select item, the agreement box a checkbox item that ticks
// it. Fields left alone (captchas, traps, options that
// cost, fields of other forms) are not learned, and neither are fields the
// record cannot address (in a frame, without name and id, or named anew by a
// script on each visit) or fill (a
// drop-down of provinces, which the recognition fills when the page loads).
LearnedForm learnSubmissionForm(const FormDocumentModel& page, const FieldRecognizer& recognizer);

// Whether a field's name or id is made up by a page's script and changes from
// visit to visit (":r0:", "field-1a2b3c", "ember1234"), so that no form item
// can name it.
bool generatedName(std::string_view name);

// The items alone.
std::vector<DirectoryItem> itemsOf(const LearnedForm& form);

// Shows a learned form in the page the directory wizard learns from: each text
// field and check box of the items that still holds what the page or the
// wizard's presets put there is filled as the user would fill it, so that the
// page's difference learns it with the rest and the user sees, and can
// correct, what was recognised. Returns the items the difference cannot give
// back (the category drop-down, the reciprocal script's field), for the wizard
// to keep as they are.
std::vector<DirectoryItem> showLearnedForm(FormDocumentModel& page, const LearnedForm& form);
