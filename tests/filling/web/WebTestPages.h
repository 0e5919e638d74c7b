#pragma once

#include "GuiTestSupport.h"
#include "net/LoopbackServer.h"

#include <QString>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>
#include <optional>
#include <string>

// A submission form with fields of every kind, two forms, a field outside them,
// and a script that notes every input and change event it sees.
inline const std::string kSubmitPage = R"(<!DOCTYPE html>
<html><head><title>Add your site</title></head><body>
<div id="intro">Add your site</div>
<form action="/submit" method="post" name="add">
  <input name="url" value="http://">
  <input type="text" name="url" id="url2">
  <input type="password" name="pass">
  <input type="checkbox" name="agree" checked>
  <textarea name="desc">old text</textarea>
  <select name="cat"><option>Pick one</option><option>Business</option><option>|_ Business Consulting</option>
    <option>|_ Business Consulting Firms</option></select>
  <input type="submit" value="Send">
</form>
<form id="search" action="/search"><input name="q"></form>
<input name="loose">
<script>
  window.seen = [];
  for (const type of ['input', 'change'])
    document.addEventListener(type, (e) => window.seen.push(type + ':' + e.target.name));
</script>
</body></html>)";

inline const std::string kThanksPage = "<html><body><p>Thank you for your submission!</p></body></html>";

// Serves the submission page at "/add", its confirmation at "/submit" and a
// page without fields at "/other".
inline void serveSubmissionSite(LoopbackServer& server)
{
    server.serve("/add", 200, kSubmitPage, "text/html");
    server.serve("/submit", 200, kThanksPage, "text/html");
    server.serve("/other", 200, "<html><body><input name=\"url\"></body></html>", "text/html");
    server.closeConnectionsAfterEachAnswer();
    server.start();
}

// Loads a URL and waits for the load to finish; whether it succeeded.
inline bool loadAndWait(QWebEnginePage& page, const std::string& url)
{
    std::optional<bool> finished;
    const QMetaObject::Connection connection =
        QObject::connect(&page, &QWebEnginePage::loadFinished, [&](bool ok) { finished = ok; });
    page.load(QUrl(QString::fromStdString(url)));
    waitUntil([&] { return finished.has_value(); }, 30000);
    QObject::disconnect(connection);
    return finished.value_or(false);
}

// Runs a script in the page's own world and returns its result.
inline QVariant evaluate(QWebEnginePage& page, const QString& script)
{
    // Shared, so that an answer after a time-out has somewhere to go.
    auto result = std::make_shared<std::optional<QVariant>>();
    page.runJavaScript(
        script, QWebEngineScript::MainWorld, [result](const QVariant& value) { *result = value; });
    waitUntil([&] { return result->has_value(); });
    return result->value_or(QVariant());
}
