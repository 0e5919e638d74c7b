#include "autofill/FormWords.h"
#include "autofill/FormText.h"
#include "autofill/PhraseMatcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

using ::testing::ElementsAre;

namespace {

TEST(FormWordsTest, ReadsSectionsLanguagesAndWeakPhrasesAndNamesEveryBadLine)
{
    std::vector<std::string> problems;
    const FormWords words = FormWords::parse("# a comment\n"
                                             "[field.title]\n"
                                             "en: Site Title, ~name,, \n"
                                             "  de: Seitentitel\n"
                                             "words before a colon\n"
                                             "[Bad Section]\n"
                                             "en: lost\n"
                                             "[outcome.success]\r\n"
                                             "any: Vielen Dank!, ---\n"
                                             "english: thanks\n",
        &problems);
    EXPECT_THAT(words.phrases("field.title"),
        ElementsAre(FormWords::Phrase { "site title", "en", false }, FormWords::Phrase { "name", "en", true },
            FormWords::Phrase { "seitentitel", "de", false }));
    EXPECT_THAT(
        words.phrases("outcome.success"), ElementsAre(FormWords::Phrase { "vielen dank", "any", false }));
    EXPECT_TRUE(words.phrases("field.url").empty());
    EXPECT_THAT(words.sectionNames(), ElementsAre("field.title", "outcome.success"));
    EXPECT_THAT(problems,
        ElementsAre("line 5: not \"language: words\": words before a colon",
            "line 6: not a section name: [Bad Section]", "line 7: words outside a section",
            "line 9: no letters or digits in \"---\"", "line 10: not \"language: words\": english: thanks"));
}

TEST(FormWordsTest, TheShippedListsReadCleanlyInEveryLanguage)
{
    std::vector<std::string> problems;
    const FormWords words = FormWords::parse(shippedFormWordsText(), &problems);
    EXPECT_THAT(problems, ElementsAre());
    const std::set<std::string> languages { "en", "de", "fr", "es", "it", "pt", "nl", "pl", "ru" };
    for (const std::string& section : words.sectionNames()) {
        std::set<std::string> present;
        for (const FormWords::Phrase& phrase : words.phrases(section))
            present.insert(phrase.language);
        // Address path words belong to no language.
        if (section != "discovery.path") {
            for (const std::string& language : languages)
                EXPECT_TRUE(present.count(language)) << section << " has no words in " << language;
        }
    }
    for (const char* reserved :
        { "outcome.success", "outcome.failure", "discovery.link", "discovery.path", "discovery.decoy" })
        EXPECT_FALSE(FormWords::shipped().phrases(reserved).empty()) << reserved;
}

TEST(FormTextTest, WordsAreFoldedAndSplitAsPeopleAndPagesWriteThem)
{
    const struct {
        const char* text;
        TextKind kind;
        const char* words;
    } cases[] = {
        { "E-Mail-Adresse:", TextKind::Prose, "e mail adresse" },
        { "Prénom & NOM", TextKind::Prose, "prenom nom" },
        { "Straße", TextKind::Prose, "strasse" },
        { "Łódź, Ærø, Œuvre", TextKind::Prose, "lodz aero oeuvre" },
        { "ЁЛКА Ключевые", TextKind::Prose, "елка ключевые" },
        { "metaKeywords", TextKind::Prose, "metakeywords" },
        { "metaKeywords", TextKind::Identifier, "meta keywords" },
        { "OWNER_EMAIL", TextKind::Identifier, "owner email" },
        { "wpforms[fields][3]", TextKind::Identifier, "wpforms fields 3" },
        { "address2", TextKind::Identifier, "address 2" },
        { "nom d’utilisateur", TextKind::Prose, "nom d utilisateur" },
        { "bad\xFF\xFEtext\xC3", TextKind::Prose, "bad text" },
        { "", TextKind::Prose, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalisedText(c.text, c.kind), c.words) << c.text;
}

TEST(PhraseMatcherTest, FindsWholeWordsAndTheEndsOfLongWordsOnly)
{
    const FormWords words = FormWords::parse("[a]\nen: url, site url, titel, name\n[b]\nen: ~web site\n");
    const PhraseMatcher matcher(words, { "a", "b", "missing" });
    const struct {
        const char* text;
        TextKind kind;
        std::vector<std::size_t> letters; // of each phrase found
    } cases[] = {
        { "Site URL", TextKind::Prose, { 3, 7 } },
        { "siteurl", TextKind::Identifier, { 7 } },
        { "Seitentitel", TextKind::Prose, { 5 } },
        { "Titelbild", TextKind::Prose, { 5 } },
        { "curl", TextKind::Prose, {} },
        { "namespace", TextKind::Prose, {} },
        { "My web site", TextKind::Prose, { 7 } },
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> letters;
        for (const PhraseMatcher::Match& match : matcher.find(c.text, c.kind))
            letters.push_back(match.letters);
        std::sort(letters.begin(), letters.end());
        EXPECT_EQ(letters, c.letters) << c.text;
    }
    EXPECT_TRUE(matcher.contains("my WEB site", 1));
    EXPECT_FALSE(matcher.contains("my web site", 0));
}

} // namespace
