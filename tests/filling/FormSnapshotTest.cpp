#include "FillingTestSupport.h"

#include "filling/FormSnapshot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

FormElement withId(FormElement element, const std::string& id)
{
    element.id = id;
    return element;
}

FormElement checkedBox(const std::string& name, const std::string& type, bool checked)
{
    FormElement element = input(name, type);
    element.checked = checked;
    return element;
}

std::vector<std::string> entriesOf(const FormSnapshot& snapshot)
{
    std::vector<std::string> entries;
    for (const auto& [name, entry] : snapshot)
        entries.push_back(name + "/" + std::to_string(static_cast<int>(entry.type)) + "/"
            + std::to_string(entry.index) + "=" + entry.value);
    return entries;
}

TEST(FormDocumentModelTest, ItemByNameCountsNamesAndIdsWithinTheCollection)
{
    const FormDocumentModel page({ otherElement("label", "email"), input("email"), textArea("email"),
        withId(input("other"), "email"), withId(input("same"), "same"), input("") });
    const auto handle = [&](ElementCollection collection, const char* name, std::size_t index) {
        const std::optional<ElementHandle> found = page.itemByName(collection, name, index);
        return found ? static_cast<int>(*found) : -1;
    };
    EXPECT_EQ(handle(ElementCollection::All, "email", 0), 0);
    EXPECT_EQ(handle(ElementCollection::All, "email", 1), 1);
    EXPECT_EQ(handle(ElementCollection::All, "email", 3), 3);
    EXPECT_EQ(handle(ElementCollection::All, "email", 4), -1);
    EXPECT_EQ(handle(ElementCollection::Inputs, "email", 1), 3);
    EXPECT_EQ(handle(ElementCollection::TextAreas, "email", 0), 2);
    EXPECT_EQ(handle(ElementCollection::All, "same", 1), -1);
    EXPECT_EQ(handle(ElementCollection::All, "", 0), -1);
    EXPECT_EQ(page.length(ElementCollection::Inputs), 4u);
    EXPECT_EQ(page.type(0), ElementType::Other);
    EXPECT_EQ(page.type(99), ElementType::Other);
}

TEST(FormDocumentModelTest, WritesChangeTheModelAndAreRecordedForFieldsOnly)
{
    FormDocumentModel page({ otherElement("div", "d"), input("a"), dropDown("s", { "x", "y" }) });
    page.setValue(0, "ignored");
    page.setValue(1, "text");
    page.setChecked(1, true);
    page.setSelectedIndex(2, 1);
    page.setSelectedIndex(2, 2);
    EXPECT_EQ(page.value(1), "text");
    EXPECT_TRUE(page.checked(1));
    EXPECT_EQ(page.elements()[2].selectedIndex, 1);
    EXPECT_THAT(writesOf(page), ElementsAre("a=text", "a:checked", "s#1"));
}

TEST(FormSnapshotTest, CapturesTextAndChoiceFieldsWithTheirIndexAmongTheirName)
{
    const FormDocumentModel page({ input("email", "text", "a@x"), input("email", "", "b@x"),
        input("pass", "password", "secret"), input("token", "hidden", "t"),
        checkedBox("agree", "checkbox", true), checkedBox("kind", "radio", false), dropDown("cat", { "A" }),
        textArea("email", "c@x"), textArea("desc", "words") });
    EXPECT_THAT(entriesOf(takeFormSnapshot(page)),
        ElementsAre("agree/2/0=true", "desc/0/0=words", "email/0/0=a@x", "email/0/1=b@x", "email/0/2=c@x",
            "kind/2/0=false"));
}

TEST(FormSnapshotTest, DifferenceHoldsChangedFieldsOfKnownNames)
{
    FormDocumentModel page({ input("url", "text", "old"), input("url", "text", "same"), input("title"),
        checkedBox("agree", "checkbox", false) });
    const FormSnapshot before = takeFormSnapshot(page);
    page.setValue(0, "new");
    page.setValue(1, "old");
    page.setChecked(3, true);
    FormSnapshot after = takeFormSnapshot(page);
    after.emplace("added", DirectoryItem { "added", ControlType::Edit, 0, "x" });

    // Each later field is compared with the first earlier field of its name.
    EXPECT_THAT(snapshotDifference(after, before),
        ElementsAre(DirectoryItem { "agree", ControlType::Checkbox, 0, "true" },
            DirectoryItem { "url", ControlType::Edit, 0, "new" }));
}

} // namespace
