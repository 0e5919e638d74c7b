#include "support/NamedChild.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using ::testing::HasSubstr;

// A window with an OK button inside a panel, a label, and two buttons that share a name.
struct Window {
    QWidget top;
    QWidget* panel = new QWidget(&top);
    QPushButton* ok = new QPushButton(panel);
    QLabel* status = new QLabel(&top);

    Window()
    {
        ok->setObjectName("okButton");
        status->setObjectName("statusLine");
        for (int copy = 0; copy < 2; ++copy)
            (new QPushButton(panel))->setObjectName("twinButton");
    }
};

TEST(NamedChildTest, FindsANamedDescendantBelowItsParent)
{
    Window window;
    EXPECT_EQ(child<QPushButton>(window.top, "okButton"), window.ok);
    EXPECT_EQ(child<QWidget>(window.top, "statusLine"), window.status);
}

TEST(NamedChildTest, FailsTheTestWithTheNameInsteadOfReturningNull)
{
    Window window;
    struct Case {
        const char* what;
        std::function<void()> lookup;
        std::string message;
    };
    const Case cases[] = {
        { "missing", [&] { child<QPushButton>(window.top, "cancelButton"); },
            "child QPushButton \"cancelButton\" of QWidget: none" },
        { "other type", [&] { child<QPushButton>(window.top, "statusLine"); },
            "child QPushButton \"statusLine\" of QWidget: none, but a QLabel" },
        { "ambiguous", [&] { child<QPushButton>(window.top, "twinButton"); },
            "child QPushButton \"twinButton\" of QWidget: 2 of them" },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        ::testing::TestPartResultArray failures;
        {
            const ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
            EXPECT_THROW(each.lookup(), MissingChild);
        }
        ASSERT_EQ(failures.size(), 1);
        const ::testing::TestPartResult& failure = failures.GetTestPartResult(0);
        EXPECT_TRUE(failure.nonfatally_failed());
        EXPECT_THAT(failure.message(), HasSubstr(each.message));
        // Reported where the test asked, not inside the helper.
        EXPECT_STREQ(failure.file_name(), __FILE__);
    }
}

} // namespace
