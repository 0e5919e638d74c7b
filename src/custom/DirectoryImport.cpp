#include "custom/DirectoryImport.h"

#include "custom/CustomCategories.h"
#include "directories/DirectoryStore.h"

#include <algorithm>

std::shared_ptr<DirectoryImport> DirectoryImport::create(DirectoryStore& custom, DirectoryStore& main,
    std::vector<ListedDirectory> directories, std::string categoryText, IListener* listener)
{
    return std::make_shared<DirectoryImport>(
        Token {}, custom, main, std::move(directories), std::move(categoryText), listener);
}

DirectoryImport::DirectoryImport(Token, DirectoryStore& custom, DirectoryStore& main,
    std::vector<ListedDirectory> directories, std::string categoryText, IListener* listener)
    : m_custom(custom)
    , m_main(main)
    , m_directories(std::move(directories))
    , m_categoryText(std::move(categoryText))
    , m_listener(listener)
{
    m_ranks.reserve(m_directories.size());
}

bool DirectoryImport::start(CSiteChecker& checker)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_started)
            return false;
        m_started = true;
        m_keepAlive = shared_from_this();
    }
    if (checker.Start(this))
        return true;
    std::lock_guard lock(m_mutex);
    m_keepAlive.reset();
    return false;
}

void DirectoryImport::skipPageRank()
{
    std::lock_guard lock(m_mutex);
    m_skipPageRank = true;
}

std::size_t DirectoryImport::storeChecked()
{
    std::lock_guard lock(m_mutex);
    const std::size_t before = m_stored;
    storeUpTo(m_ranks.size());
    return m_stored - before;
}

void DirectoryImport::close()
{
    {
        std::lock_guard lock(m_listenerMutex);
        m_listener = nullptr;
    }
    std::lock_guard lock(m_mutex);
    if (m_closed)
        return;
    m_closed = true;
    storeUpTo(m_directories.size());
}

std::size_t DirectoryImport::stored() const
{
    std::lock_guard lock(m_mutex);
    return m_stored;
}

bool DirectoryImport::NextSite(std::string& url, bool& checkPageRank, bool& checkAlive)
{
    std::lock_guard lock(m_mutex);
    if (m_closed || m_handedOut >= m_directories.size())
        return false;
    url = m_directories[m_handedOut++].address;
    checkPageRank = !m_skipPageRank;
    checkAlive = false;
    return true;
}

void DirectoryImport::runEnded()
{
    // Declared first, so that the import can go only after the lock is released.
    std::shared_ptr<DirectoryImport> release;
    {
        std::lock_guard lock(m_mutex);
        release = std::move(m_keepAlive);
    }
    callListener([this](IListener& listener) { listener.onAllChecked(m_directories.size()); });
}

void DirectoryImport::SiteChecked(const std::string&, std::int32_t pageRank, std::int32_t)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_ranks.size() >= m_handedOut)
            return;
        m_ranks.push_back(std::max(pageRank, 0));
    }
    callListener([](IListener& listener) { listener.onDirectoryChecked(); });
}

// Adds the directories from the first one not yet stored up to `end`, with
// their PageRank when it came, else 0. The caller holds the lock.
void DirectoryImport::storeUpTo(std::size_t end)
{
    for (; m_stored < end; ++m_stored) {
        const ListedDirectory& directory = m_directories[m_stored];
        const std::int32_t rank = m_stored < m_ranks.size() ? m_ranks[m_stored] : 0;
        for (DirectoryStore* store : { &m_custom, &m_main }) {
            store->AddDirectory(directory.name);
            store->SetSubmitUrl(directory.name, directory.address);
            store->SetPR(directory.name, rank);
            store->SetRevision(directory.name, 0);
            store->SetCategory(directory.name, withListCategories(m_categoryText, directory.category));
            store->SetListFacts(directory.name, directory.facts);
        }
    }
}

template <typename Call> void DirectoryImport::callListener(Call call)
{
    std::lock_guard lock(m_listenerMutex);
    if (m_listener)
        call(*m_listener);
}
