#pragma once

#include <string_view>

// What a form field asks for, as the recogniser understands it. The first group
// is filled from the site profile; the rest are left alone, each for its reason.
enum class FieldMeaning {
    SiteTitle, // a title of the site (link title, site name)
    SiteUrl, // the site's address
    Description, // a description of the site
    Keywords, // a keyword line, tags
    Email, // the owner's e-mail, its confirmation too
    FullName, // the owner's whole name
    FirstName, // given name
    LastName, // family name
    UserName, // a user name to register with
    Password, // a password to register with, its confirmation too
    StreetAddress, // street and number
    City, // city or town
    PostalCode, // postal or zip code
    Province, // province, state or region, typed or chosen
    ReciprocalUrl, // the page that carries the link back to the directory
    Category, // the drop-down of the directory's categories
    Agreement, // the check box that accepts the directory's terms
    Tagline, // a one-line pitch of the site or product
    Company, // the company or business behind the site, never its title
    Phone, // a telephone number; filled only when the profile has one
    Country, // the country, typed or chosen
    Logo, // a logo or icon to upload
    Screenshot, // a screenshot or picture of the site to upload
    Twitter, // the profile address on Twitter (X), or its handle
    LinkedIn, // the profile address on LinkedIn
    GitHub, // the profile address on GitHub
    Facebook, // the page address on Facebook
    Pricing, // the pricing model: free, freemium, paid, open source
    Founded, // the year the site or company was founded
    Tags, // tags, comma-separated

    Captcha, // a captcha or a security question
    Honeypot, // a trap for robots that a person never fills
    Unknown, // anything else the profile has no value for
    ExtraOption, // a newsletter, paid-listing or similar option that costs or subscribes
    Hidden, // a person cannot see it
    ReadOnly, // the page does not let it be changed
    OtherForm, // a field of a login, search, newsletter, comment or payment form
};

// What a whole form is for. Only submission forms are filled.
enum class FormKind {
    Submission, // anything that asks for the site: a submission, a registration, a step of one
    Login, // signs in an existing user
    Search, // searches the site
    Newsletter, // subscribes to mail
    Comment, // comments on an article
    Payment, // takes a card or another payment
};

// Whether the profile has a value for the meaning.
bool fillsFromProfile(FieldMeaning meaning);

// A short English name of the meaning ("title", "url", "captcha", ...), as
// reports and the command-line tool print it.
std::string_view meaningName(FieldMeaning meaning);
std::string_view formKindName(FormKind kind);
