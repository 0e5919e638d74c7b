#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace SendingProfile {

// How the site's reciprocal link is placed.
enum ReciprocalMethod : std::int32_t {
    kReciprocalManual = 0, // by hand, or no reciprocal link at all
    kReciprocalAutomatic = 1, // through the user's reciprocal link script
};

// The longest tagline a profile keeps.
inline constexpr std::size_t kMaxTaglineLength = 120;
// No page receives a larger logo or screenshot.
inline constexpr std::uintmax_t kMaxProfileFileBytes = 10 * 1024 * 1024;
// The pricing models a profile names, as stored and offered.
inline constexpr const char* kPricingModels[] = { "free", "freemium", "paid", "open source" };

// Everything known about one web site that the user submits: its address, the
// alternative titles, descriptions and keyword lines a submission picks from, the
// owner's contact data, the reciprocal-link settings and where it was sent.
struct SiteProfile {
    std::string name; // unique key of the profile
    std::string url; // the site's address
    std::string categories; // preferred main categories, comma-separated
    std::string subcategories; // preferred categories, comma-separated
    std::vector<std::string> serpPhrases; // phrases whose search position is checked
    std::map<std::string, std::string> submittedUrls; // directory name -> URL of its entry
    std::int32_t reciprocalMethod = kReciprocalManual;
    std::string reciprocalConfig; // address of the reciprocal link script
    std::string reciprocal; // page that carries the reciprocal links
    std::string reciprocalPassword; // password of the reciprocal link script
    std::vector<std::string> titles; // alternative link titles
    std::vector<std::string> descriptions; // alternative site descriptions
    std::vector<std::string> keywords; // alternative keyword lines
    std::string category; // from an sv.dat import only; never saved
    std::string subcategory; // from an sv.dat import only; never saved
    std::string email;
    std::string fname;
    std::string lname;
    std::string username; // to register with directories
    std::string password; // to register with directories
    std::string address;
    std::string city;
    std::string zip;
    std::string province;
    std::set<std::string> submittedNames; // directories that have an entry

    // What today's directories ask about the product and its maker; sv.xml keeps
    // each only once it has a value.
    std::string tagline; // a one-line pitch, at most kMaxTaglineLength characters
    std::string company; // the company or business behind the site
    std::string phone;
    std::string country; // a country's name
    std::string logo; // path of the logo file
    std::vector<std::string> screenshots; // paths of screenshot files, in the order they are offered
    std::string twitter; // profile addresses
    std::string linkedin;
    std::string github;
    std::string facebook;
    std::string pricing; // one of kPricingModels, or empty
    std::string founded; // the founding year
    std::string tags; // comma-separated

    bool operator==(const SiteProfile&) const = default;
};

} // namespace SendingProfile
