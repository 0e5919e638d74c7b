#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

class IMessageBox;

// The zoom the user chose for each site, kept in a small XML file of the
// browser's folder ("zoom.xml": `site` elements with a host and a percentage).
// A site at the default zoom has no entry. Without a file (a throw-away
// browser profile) the levels last as long as the store.
class SiteZoomStore {
public:
    static constexpr const char* kUnreadable =
        "The zoom levels of the browser's sites could not be read; they are kept until Vantelo closes, and "
        "the file is left as it is: ";
    static constexpr const char* kSaveFailed =
        "The zoom level could not be saved; zoom levels are kept until Vantelo closes: ";

    explicit SiteZoomStore(IMessageBox& messages);

    // Reads the levels of a file, which every change is then written to. A
    // missing file holds none; an unreadable one is reported and never written over.
    void open(const std::filesystem::path& file);

    // The zoom of the site of a host; the default for a site without one.
    double factor(std::string_view host) const;
    // Sets the zoom of the site of a host and saves the levels.
    void setFactor(std::string_view host, double factor);

private:
    void save();

    IMessageBox& m_messages;
    std::filesystem::path m_file;
    bool m_writable = false;
    std::map<std::string, int> m_percents; // by site
};
