#pragma once

#include "custom/ListedDirectory.h"
#include "stats/CSiteChecker.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class DirectoryStore;

// The background part of a bulk import: hands the new directories of a list file
// to a site checker for their PageRank (one by one, or a batch at a time when
// the provider takes many), and adds each checked
// directory to the custom and the main directory store with the import's
// category text, to which each directory's list categories are added, and
// the list's facts of each. The checker reports on its worker thread; the stores are
// changed only by storeChecked and close, under the import's own lock, on
// whichever thread owns the stores (a window's thread, or the checker's when
// nothing else touches them). The import is shared with its checker, so it
// outlives whoever closed it.
class DirectoryImport : public CSiteChecker::ICheckSink,
                        public std::enable_shared_from_this<DirectoryImport> {
public:
    // Whoever shows the import. Called on the checker's thread, never after
    // close has returned; implementations hand the calls on to their own thread.
    class IListener {
    public:
        virtual ~IListener() = default;

        // Another directory has been checked: storeChecked adds it.
        virtual void onDirectoryChecked() = 0;
        // Every directory has been handed out and checked; `count` is how many.
        virtual void onAllChecked(std::size_t count) = 0;
    };

    // An import of the directories (with unique names and addresses not yet
    // known) into both stores. The stores must outlive the import's last
    // storeChecked or close; the listener must stay valid until close.
    static std::shared_ptr<DirectoryImport> create(DirectoryStore& custom, DirectoryStore& main,
        std::vector<ListedDirectory> directories, std::string categoryText, IListener* listener);

    // Starts the checker on this import, once; false when no thread could be started.
    bool start(CSiteChecker& checker);
    // From now on no PageRank is asked for; the remaining directories are still added.
    void skipPageRank();
    // Adds the directories checked so far to both stores; how many were added now.
    std::size_t storeChecked();
    // Ends the import: every directory not yet stored is added now (those without
    // an answer with PageRank 0), the listener is not called again and later
    // answers of the checker are dropped. Waits for a listener call under way.
    void close();

    // How many directories the import adds in all, and how many it has added.
    std::size_t size() const { return m_directories.size(); }
    std::size_t stored() const;

    bool NextSite(std::string& url, bool& checkPageRank, bool& checkAlive) override;
    void SiteChecked(const std::string& url, std::int32_t pageRank, std::int32_t alive) override;
    void runEnded() override;

private:
    struct Token { };

public:
    // Through Create only: the import must be shared.
    DirectoryImport(Token, DirectoryStore& custom, DirectoryStore& main,
        std::vector<ListedDirectory> directories, std::string categoryText, IListener* listener);

private:
    void storeUpTo(std::size_t end);
    template <typename Call> void callListener(Call call);

    DirectoryStore& m_custom;
    DirectoryStore& m_main;
    const std::vector<ListedDirectory> m_directories;
    const std::string m_categoryText;

    std::mutex m_listenerMutex;
    IListener* m_listener;

    mutable std::mutex m_mutex;
    std::vector<std::int32_t> m_ranks; // PageRank of each checked directory
    std::size_t m_handedOut = 0;
    std::size_t m_stored = 0;
    bool m_started = false;
    bool m_skipPageRank = false;
    bool m_closed = false;
    // Held while the checker runs, so that the checker's sink stays valid.
    std::shared_ptr<DirectoryImport> m_keepAlive;
};
