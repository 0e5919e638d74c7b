#pragma once

#include "autofill/FieldMeaning.h"
#include "autofill/SubmissionJudge.h"
#include "filling/FillCount.h"
#include "filling/IFormDocument.h"
#include "filling/PickSlots.h"
#include "profiles/DirectoryAccounts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where the category search of a tab's page stands: the last option chosen and
// the (category word, subcategory word) pair being tried.
struct CategoryPosition {
    int lastOption = -1; // -1: none chosen yet
    std::size_t categoryWord = 0;
    std::size_t subcategoryWord = 0;

    bool operator==(const CategoryPosition&) const = default;
};

// A field of the tab's page that was filled because the recogniser understood it.
struct RecognisedField {
    ElementHandle element = 0; // its position in the page's description
    std::string name;
    std::string id;
    std::string frame; // "" for the top document
    FieldMeaning meaning = FieldMeaning::Unknown;

    bool operator==(const RecognisedField&) const = default;
};

// The reciprocal code text of a tab whose page has not shown one.
inline constexpr const char* kNoReciprocalCode = "uninit";

// The filling state of one browser tab: the main window keeps one for each of its
// ten tab slots. The filling reads and changes it; the tab's browser events reset
// it when the page changes and mark a submitted form.
struct TabFillState {
    std::string directoryName; // the directory opened in the tab
    PickSlots picks; // what the last fill drew
    bool reciprocalCodeFound = false; // the page shows the directory's link code
    std::string reciprocalCode = kNoReciprocalCode;
    CategoryPosition category;
    bool formWatched = false; // the last fill wrote into a form of this page
    bool submitted = false; // that page's form was submitted; set until its answer was checked
    SubmittedForm submittedForm; // what that form held and its page showed when it was submitted
    std::vector<RecognisedField> recognised; // the fields of this page filled by recognition
    PasswordFill passwords = PasswordFill::None; // what the fills of this page did with passwords
    // The account whose new password a sign-up form got; kept when a form the
    // fill wrote into is submitted, dropped when the next page has loaded.
    std::optional<SendingProfile::DirectoryAccount> newAccount;

    // The tab's top-level document starts navigating: the page's reciprocal
    // code, category search, watched form, recognised fields and what its fills
    // did with passwords are gone.
    void navigationStarted();
    // Notes what a fill did with a password, keeping what weighs most.
    void notePasswords(PasswordFill fill);
    // A form of the tab's page was submitted; counts only for a page the filling wrote into.
    void formSubmitted();
    // Whether a form was submitted since the last completed load; clears the flag,
    // as the handling of a completed load does.
    bool takeSubmitted();
};
