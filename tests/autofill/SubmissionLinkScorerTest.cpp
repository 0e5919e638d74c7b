// Which links of a directory's page lead to its submission page, in every
// language of the word file, and which only look as if they did.

#include "autofill/SubmissionLinkScorer.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase {
    const char* text;
    const char* alt;
    const char* title;
    const char* path;
    bool followed;
};

TEST(SubmissionLinkScorerTest, FollowsSubmitLinksAndPassesOverDecoys)
{
    const LinkCase cases[] = {
        { "Submit Link", "", "", "/index.php?go=home", true },
        { "Add URL", "", "", "/page.html", true },
        { "Add your site", "", "", "/x", true },
        { "Suggest a Link", "", "", "/x", true },
        { "Get listed", "", "", "/x", true },
        { "List your business", "", "", "/x", true },
        { "Submit Listing", "", "", "/x", true },
        { "Add URL to this category", "", "", "/x?c=4", true },
        { "Eintrag hinzufügen", "", "", "/x", true },
        { "Webseite anmelden", "", "", "/x", true },
        { "Proposer un site", "", "", "/x", true },
        { "Añadir sitio", "", "", "/x", true },
        { "Segnala il tuo sito", "", "", "/x", true },
        { "Cadastre seu site", "", "", "/x", true },
        { "Website aanmelden", "", "", "/x", true },
        { "Dodaj stronę", "", "", "/x", true },
        { "Добавить сайт", "", "", "/x", true },
        { "", "Add URL", "", "/images/x.gif", true },
        { "", "", "Submit your website", "/x", true },
        { "Next", "", "", "/submit.php", true },
        { "Free", "", "", "/addurl.html", true },
        { "Submit a support ticket", "", "", "/support/new", false },
        { "Submit article", "", "", "/articles/submit.php", false },
        { "Report a broken link", "", "", "/broken.php", false },
        { "Login", "", "", "/login.php", false },
        { "Register", "", "", "/register.php", false },
        { "Contact us", "", "", "/contact.html", false },
        { "Anmelden", "", "", "/anmelden.php", false },
        { "Kontakt", "", "", "/kontakt.html", false },
        { "Soumettre un article", "", "", "/article/soumettre.html", false },
        { "Add to cart", "", "", "/cart/add.php", false },
        { "Home", "", "", "/index.html", false },
        { "Read more", "", "", "/blog/some-post/", false },
        { "Arts", "", "", "/category.php?id=3", false },
        { "", "", "", "/login.php?return=/submit.php", false },
    };
    for (const LinkCase& each : cases) {
        const PageLink link { "", each.text, each.alt, "", each.title, false };
        EXPECT_EQ(SubmissionLinkScorer::shipped().score(link, each.path) > 0, each.followed)
            << each.text << each.alt << each.title << " " << each.path;
    }
}

TEST(SubmissionLinkScorerTest, SurerSignsWeighMore)
{
    const SubmissionLinkScorer& scorer = SubmissionLinkScorer::shipped();
    const auto score = [&scorer](const char* text, const char* path, const char* image = "") {
        return scorer.score(PageLink { "", text, "", image, "", false }, path);
    };
    // Words and address together beat either alone; a phrase beats a lone word.
    EXPECT_GT(score("Submit your site", "/submit.php"), score("Submit your site", "/page.php"));
    EXPECT_GT(score("Submit your site", "/page.php"), score("Submit", "/page.php"));
    EXPECT_GT(score("Submit your site", "/page.php"), score("Help", "/submit.php"));
    // An image whose file says so counts a little, a frame a little more.
    EXPECT_GT(score("", "/x", "/img/addurl.gif"), 0);
    EXPECT_GT(scorer.score(PageLink { "", "", "", "", "", true }, "/submit.php"), score("", "/submit.php"));
    // Paragraph-long texts are read no further than a link's words go.
    const std::string paragraph = std::string(5000, 'a') + " add url";
    EXPECT_EQ(scorer.score(PageLink { "", paragraph, "", "", "", false }, "/x"), 0);
}

} // namespace
