// Where passwords go: only into fields a person plainly sees, on the directory's
// own site, never into fields that came late; a sign-up form gets a new password
// for the directory, a sign-in form the directory's account.

#include "FillingTestSupport.h"

#include "autofill/FieldRecognizer.h"
#include "filling/NewPassword.h"
#include "profiles/DirectoryAccounts.h"
#include "support/MemorySecretStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using SendingProfile::DirectoryAccount;
using SendingProfile::DirectoryAccounts;
using ::testing::ElementsAre;

namespace {

constexpr const char* kOwnSite = "http://dir.example/add.php";

FormElement field(
    const std::string& name, const std::string& type, const std::string& label, bool shown = true)
{
    FormElement element = inForm(input(name, type), 0);
    element.cues.label = label;
    element.shown = shown;
    return element;
}

// A sign-up form: name, e-mail, user name, a password and its confirmation.
std::vector<FormElement> signUpForm(bool confirmationShown = true)
{
    return { field("name", "text", "Your name"), field("mail", "email", "E-mail"),
        field("user", "text", "User name"), field("pass", "password", "Password"),
        field("again", "password", "Confirm password", confirmationShown) };
}

struct PasswordBench : FillingBench {
    MemorySecretStore secrets;
    DirectoryAccounts accounts { secrets };
    ScriptedRandom passwordRandom;

    PasswordBench()
    {
        profile = recognitionProfile();
        openDirectory("Dir", { item("pw", ControlType::Edit, 0, "#password#") });
        directories.SetSubmitUrl("Dir", kOwnSite);
        filler.setAccounts(&accounts, &passwordRandom);
    }

    FormDocumentModel page(std::vector<FormElement> elements, const std::string& address = kOwnSite)
    {
        FormDocumentModel model(std::move(elements));
        model.setAddress(address);
        return model;
    }

    std::vector<std::string> fill(FormDocumentModel& model)
    {
        filler.fillPage(model, profile, tab);
        filler.fillRecognised(model, FieldRecognizer::shipped(), profile, tab);
        return writesOf(model);
    }
};

std::string valueOf(const FormDocumentModel& page, const std::string& name)
{
    for (const FormElement& element : page.elements())
        if (element.name == name)
            return element.value;
    return {};
}

TEST(PasswordFillTest, APasswordGoesOnlyIntoAFieldSeenOnTheDirectorysOwnSite)
{
    struct Case {
        const char* recorded;
        std::string address;
        bool shown;
        bool written;
    };
    const Case cases[] = {
        { kOwnSite, kOwnSite, true, true },
        { kOwnSite, "https://dir.example/add.php?step=2", true, true },
        { "http://DIR.example:80/", "http://dir.example/login", true, true },
        { kOwnSite, kOwnSite, false, false },
        { kOwnSite, "http://evil.example/add.php", true, false },
        { kOwnSite, "http://dir.example:8080/add.php", true, false },
        { kOwnSite, "http://www.dir.example/add.php", true, true },
        { "https://dir.example/add.php", "http://dir.example/", true, false },
        { kOwnSite, "", true, false },
    };
    for (const Case& c : cases) {
        PasswordBench bench;
        bench.directories.SetSubmitUrl("Dir", c.recorded);
        FormDocumentModel page = bench.page({ field("pw", "password", "Password", c.shown) }, c.address);
        bench.filler.fillPage(page, bench.profile, bench.tab);
        EXPECT_EQ(valueOf(page, "pw"), c.written ? "s3cret-pass" : "") << c.address << " shown " << c.shown;
        EXPECT_EQ(bench.tab.passwords, c.written ? PasswordFill::Filled : PasswordFill::Withheld)
            << c.address;
    }
}

TEST(PasswordFillTest, ASignUpFormGetsANewPasswordKeptWhenTheFormIsSubmitted)
{
    PasswordBench bench;
    bench.openDirectory("Dir", {});
    bench.directories.SetSubmitUrl("Dir", kOwnSite);
    FormDocumentModel page = bench.page(signUpForm());
    bench.fill(page);
    const std::string password = valueOf(page, "pass");
    EXPECT_EQ(password.size(), kNewPasswordLength);
    EXPECT_EQ(valueOf(page, "again"), password);
    EXPECT_EQ(valueOf(page, "user"), "annlee");
    EXPECT_EQ(valueOf(page, "mail"), "owner@mysite.example");
    EXPECT_EQ(bench.tab.passwords, PasswordFill::NewAccount);
    EXPECT_TRUE(bench.secrets.items.empty());

    // Filled again (the Auto Fill command), the form keeps the password it got.
    FormDocumentModel again = bench.page(signUpForm());
    bench.fill(again);
    EXPECT_EQ(valueOf(again, "pass"), password);

    bench.filler.keepNewAccount(bench.profile, bench.tab);
    EXPECT_EQ(bench.accounts.find("Full", "Dir"), (DirectoryAccount { "Dir", "annlee", password }));
    EXPECT_FALSE(bench.tab.newAccount);

    // The directory's sign-in form is then filled from the account.
    bench.tab.navigationStarted();
    FormDocumentModel signIn =
        bench.page({ field("login", "text", "User name"), field("pw", "password", "Password") });
    bench.fill(signIn);
    EXPECT_THAT(writesOf(signIn), ElementsAre("pw=" + password, "login=annlee"));
    EXPECT_EQ(bench.tab.passwords, PasswordFill::Filled);
}

TEST(PasswordFillTest, NoPasswordGoesWhereNobodySeesItOrIntoFieldsThatCameLate)
{
    PasswordBench bench;
    bench.openDirectory("Dir", {});
    bench.directories.SetSubmitUrl("Dir", kOwnSite);
    FormDocumentModel hidden = bench.page(signUpForm(false));
    bench.fill(hidden);
    EXPECT_EQ(valueOf(hidden, "again"), "");
    EXPECT_EQ(valueOf(hidden, "pass").size(), kNewPasswordLength);

    bench.accounts.save("Full", { "Dir", "ann", "own-password" });
    FormDocumentModel late =
        bench.page({ field("login", "text", "User name"), field("pw", "password", "Password") });
    bench.filler.fillLateFields(late, &FieldRecognizer::shipped(), bench.profile, bench.tab);
    EXPECT_EQ(valueOf(late, "pw"), "");

    // Without an account a sign-in form gets nothing.
    bench.accounts.remove("Full", "Dir");
    FormDocumentModel signIn =
        bench.page({ field("login", "text", "User name"), field("pw", "password", "Password") });
    EXPECT_TRUE(bench.fill(signIn).empty());
}

TEST(PasswordFillTest, ANewPasswordMixesKindsWithinTheFieldsLimits)
{
    struct Case {
        PasswordRules rules;
        std::size_t length;
        const char* only; // the characters it may hold; empty for any
    };
    const Case cases[] = {
        { {}, 20, "" },
        { { 12, -1, {} }, 12, "" },
        { { -1, 32, {} }, 32, "" },
        { { -1, -1, { "[0-9]{20}" } }, 20, "0123456789" },
        { { -1, -1, { "[A-Za-z0-9]+" } }, 20,
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789" },
        { { -1, -1, { "\\p{L}+" } }, 20, "" },
    };
    for (const Case& c : cases) {
        ScriptedRandom random;
        random.queue({ 3, 17, 5, 11, 2, 29, 7, 13, 19, 23, 31, 1, 37, 4, 41, 6 });
        const std::string password = newPassword(c.rules, random);
        EXPECT_EQ(password.size(), c.length) << password;
        if (*c.only) {
            EXPECT_EQ(password.find_first_not_of(c.only), std::string::npos) << password;
        } else if (c.length >= 4) {
            EXPECT_TRUE(std::any_of(password.begin(), password.end(), ::isdigit)) << password;
            EXPECT_TRUE(std::any_of(password.begin(), password.end(), ::ispunct)) << password;
        }
    }
}

} // namespace
