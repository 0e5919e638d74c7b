#include "AnswerSite.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

const std::filesystem::path kAnswers = std::filesystem::path(VANTELO_SOURCE_DIR) / "tests/filling/answers";

std::string answerFile(const std::string& name)
{
    std::ifstream file(kAnswers / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string escaped(const std::string& text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

// The page with every "{{name}}" replaced by the posted value of that name.
std::string withPostedValues(std::string page, const httplib::Request& request)
{
    for (std::size_t open = page.find("{{"); open != std::string::npos; open = page.find("{{", open)) {
        const std::size_t close = page.find("}}", open);
        if (close == std::string::npos)
            break;
        const std::string value = escaped(request.get_param_value(page.substr(open + 2, close - open - 2)));
        page.replace(open, close + 2 - open, value);
        open += value.size();
    }
    return page;
}

} // namespace

void serveAnswerSite(LoopbackServer& server)
{
    for (const char* kind : { "thanks-en", "thanks-de", "captcha", "invalid-url", "duplicate" }) {
        const std::string folder = std::string("/") + kind + "/";
        server.serve(folder + "form.html", 200, answerFile("form.html"), "text/html");
        server.serve(folder + "search.html", 200, answerFile("search.html"), "text/html");
        const std::string answer = answerFile(std::string(kind) + ".html");
        server.handle(
            folder + "answer.html", [answer](const httplib::Request& request, httplib::Response& response) {
                response.set_content(withPostedValues(answer, request), "text/html; charset=utf-8");
            });
    }
    for (const auto& [folder, ok, message] : { std::tuple { "/scripted-ok/", true, kScriptedSuccess },
             { "/scripted-error/", false, kScriptedError } }) {
        server.serve(std::string(folder) + "scripted.html", 200, answerFile("scripted.html"), "text/html");
        server.serve(std::string(folder) + "api", 200,
            nlohmann::json { { "ok", ok }, { "message", message } }.dump(), "application/json");
    }
    server.closeConnectionsAfterEachAnswer();
    server.start();
}
