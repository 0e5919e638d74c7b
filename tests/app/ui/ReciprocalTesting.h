#pragma once

#include "MainWindowTesting.h"
#include "web/WebTestPages.h"

#include "app/ui/BrowserTab.h"
#include "app/ui/BrowserTabArea.h"
#include "app/ui/TabToolBar.h"
#include "filling/web/FillingWebPage.h"
#include "support/NamedChild.h"

#include <QAction>

#include <string>

// A directory's submission page that shows its own link code in a text area
// and asks for the address of the page carrying the link back; with
// `urlField` false the page has no field for that address.
inline std::string reciprocalDirectoryPage(const std::string& code, bool urlField = true)
{
    std::string shown;
    for (const char c : code) {
        switch (c) {
        case '&':
            shown += "&amp;";
            break;
        case '<':
            shown += "&lt;";
            break;
        case '>':
            shown += "&gt;";
            break;
        default:
            shown += c;
        }
    }
    return "<!DOCTYPE html><html><body><form action=\"/submit.php\" method=\"post\">"
           "<input type=\"text\" name=\"TITLE\"><textarea name=\"RECIP_CODE\" readonly>"
        + shown + "</textarea>" + std::string(urlField ? "<input type=\"text\" name=\"RECIP_URL\">" : "")
        + "<input type=\"submit\" value=\"Add\"></form></body></html>";
}

// The form description of that page: the title, the code to read, the address to fill in.
inline const std::string kReciprocalItems =
    R"(<item name="TITLE" type="edit" index="0" value="#title#"/>)"
    R"(<item name="RECIP_CODE" type="reciprocaltext" index="0" value=""/>)"
    R"(<item name="RECIP_URL" type="reciprocal" index="0" value=""/>)";

// A profile that places its links through the script at the address, or by hand.
inline std::string reciprocalProfile(int method, const std::string& script, const std::string& password)
{
    return profileElement("My Site",
        "<title>My Site</title><reciprocalconfig>" + script
            + "</reciprocalconfig>"
              "<reciprocalpassword>"
            + password
            + "</reciprocalpassword>"
              "<reciprocalmethod>"
            + std::to_string(method) + "</reciprocalmethod>");
}

// The value of a named field of the current tab's page.
inline QString fieldValue(CQuenlarDlg& window, const char* name)
{
    const BrowserTabArea& tabs = *child<BrowserTabArea>(window, "browserTabs");
    BrowserTab* tab = tabs.tab(tabs.currentSlot());
    if (!tab)
        return {};
    return evaluate(*tab->page(),
        QStringLiteral("document.getElementsByName('%1')[0] ? "
                       "document.getElementsByName('%1')[0].value : null")
            .arg(QLatin1String(name)))
        .toString();
}

inline QAction* reciprocalButton(CQuenlarDlg& window)
{
    return child<TabToolBar>(window, "tabToolBar")->reciprocalAction();
}
