#include "CheckerTestSupport.h"

#include "common/WideText.h"

std::string databaseOf(const std::vector<TestDirectory>& directories, const std::string& root)
{
    std::string text = "<?xml version=\"1.0\"?>\n<" + root + ">\n";
    for (const TestDirectory& directory : directories) {
        text += "\t<directory name=\"" + directory.name + "\" submiturl=\"" + directory.url + "\"";
        if (directory.pr != "-")
            text += " pr=\"" + directory.pr + "\"";
        if (directory.enabled != "-")
            text += " enabled=\"" + directory.enabled + "\"";
        text += " />\n";
    }
    return text + "</" + root + ">\n";
}

CheckerServer::CheckerServer()
{
    m_server.handle("/search", [this](const httplib::Request& request, httplib::Response& response) {
        std::string root = request.get_param_value("q");
        root.erase(0, root.find(':') + 1);
        std::lock_guard lock(m_mutex);
        const auto found = m_pageRanks.find(root);
        if (found == m_pageRanks.end())
            response.status = 404;
        else
            response.set_content(found->second, "text/plain");
    });
    m_server.serve("/dead", 404, "gone");
    m_server.handle(R"(/(\w+))", [this](const httplib::Request& request, httplib::Response& response) {
        std::shared_future<void> gate;
        if (request.path == "/held") {
            std::lock_guard lock(m_mutex);
            gate = m_held;
        }
        if (gate.valid())
            gate.wait();
        response.set_content("<form></form>", "text/html");
    });
    m_server.start();
}

void CheckerServer::answerPageRank(const std::string& root, const std::string& body)
{
    std::lock_guard lock(m_mutex);
    m_pageRanks[root] = body;
}

void CheckerServer::holdUntil(std::shared_future<void> opened)
{
    std::lock_guard lock(m_mutex);
    m_held = std::move(opened);
}

std::vector<std::string> CheckerServer::pagesRequested() const
{
    std::vector<std::string> pages;
    for (const SeenRequest& request : m_server.requests())
        if (!request.target.starts_with("/search"))
            pages.push_back(request.target);
    return pages;
}

void RecordingObserver::onLogLine(const std::u16string& line)
{
    std::lock_guard lock(m_mutex);
    m_lines.push_back(line);
}

void RecordingObserver::onProgress(int checked)
{
    std::lock_guard lock(m_mutex);
    m_progress.push_back(checked);
}

void RecordingObserver::onFinished()
{
    std::lock_guard lock(m_mutex);
    ++m_finished;
}

std::vector<std::u16string> RecordingObserver::lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::vector<int> RecordingObserver::progress() const
{
    std::lock_guard lock(m_mutex);
    return m_progress;
}

int RecordingObserver::finished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished;
}

std::u16string wide(const std::string& text)
{
    return utf16FromUtf8(text);
}
