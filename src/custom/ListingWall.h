#pragma once

#include "autofill/HtmlPage.h"
#include "autofill/PhraseMatcher.h"

#include <string>
#include <string_view>

class FormWords;

// What stands between a visitor and a directory's submission form on a page
// that its submit link led to.
struct ListingWall {
    enum class Kind {
        None, // nothing said: the page simply holds no submission form
        SignIn, // the visitor must sign in or up first
        Paid, // the listing is sold: prices and links that buy one
    };
    Kind kind = Kind::None;
    std::string signInUrl; // for SignIn: where to sign in

    bool operator==(const ListingWall&) const = default;
};

// Tells sign-in walls and paid-only listings from pages that merely hold no
// form. A page with a password field is a sign-in (or sign-up) page; a page
// that says, in its own text, that the visitor must sign in and links to where
// to do it is a wall before the form; a page that names prices and links to
// buying is a price list. Only pages that a submit link led to are judged: a
// home page's "Log in" says nothing about submitting.
class ListingWallJudge {
public:
    explicit ListingWallJudge(const FormWords& words);
    static const ListingWallJudge& shipped();

    // The page holds no submission form; `url` is where it was read.
    ListingWall judge(const HtmlPage& page, const std::string& url) const;
    // Whether an address reads as a sign-in page ("/account/login", "auth.example.com").
    bool signInAddress(std::string_view url) const;

private:
    std::string signInLink(const HtmlPage& page, const std::string& url) const;
    bool sellsListings(const HtmlPage& page) const;

    PhraseMatcher m_words;
};

// Whether a text names a price: a currency sign or code next to a number ("$49", "19,90 €", "EUR 120").
bool namesPrice(std::string_view text);
