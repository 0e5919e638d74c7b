#include "filling/web/WebFormBridge.h"

#include "filling/PageDescription.h"
#include "widgets/QtText.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

constexpr const char* kPageElementsScript = ":/filling/page-elements.js";
constexpr const char* kPasswordFieldsScript = ":/filling/password-fields.js";
constexpr const char* kDescribeScript = ":/filling/describe-page.js";
constexpr const char* kReplayScript = ":/filling/replay-writes.js";
constexpr const char* kLateFieldsScript = ":/filling/late-fields.js";
constexpr const char* kReadAnswerScript = ":/filling/read-answer.js";
constexpr const char* kSubmitFormScript = ":/filling/submit-form.js";

QString scriptText(const char* resource)
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// A script with the shared element list before it.
QString withPageElements(const QString& script)
{
    static const QString pageElements = scriptText(kPageElementsScript);
    return pageElements + QLatin1Char('\n') + script;
}

// A script that also tells where a password may go.
QString withPasswordFields(const QString& script)
{
    static const QString passwordFields = scriptText(kPasswordFieldsScript);
    return withPageElements(passwordFields + QLatin1Char('\n') + script);
}

// The description script; a fill's description marks the fields it saw as offered.
const QString& describeScript(bool offer)
{
    static const QString function = withPasswordFields(scriptText(kDescribeScript));
    static const QString offering = function + QStringLiteral("({ cover: true })");
    static const QString looking = function + QStringLiteral("({ cover: false })");
    return offer ? offering : looking;
}

// The replay script called with the writes; the JSON is ASCII and a valid literal.
QString replayScript(const std::string& writesJson)
{
    static const QString function = withPasswordFields(scriptText(kReplayScript));
    return function + QLatin1Char('(') + toQString(writesJson) + QLatin1Char(')');
}

const QString& lateFieldsScript()
{
    static const QString script = withPageElements(scriptText(kLateFieldsScript));
    return script;
}

const QString& readAnswerScript(bool message)
{
    static const QString function = withPageElements(scriptText(kReadAnswerScript));
    static const QString page = function + QStringLiteral("({ message: false })");
    static const QString shown = function + QStringLiteral("({ message: true })");
    return message ? shown : page;
}

const QString& submitFormScript()
{
    static const QString script = withPageElements(scriptText(kSubmitFormScript));
    return script;
}

WebFormRun replayOutcome(const QVariant& result, std::size_t writes)
{
    const QJsonObject answer = QJsonDocument::fromJson(result.toString().toUtf8()).object();
    WebFormRun run;
    if (answer.isEmpty() || answer.value(QStringLiteral("stale")).toBool()) {
        run.end = WebFormRun::End::Abandoned;
        run.skipped = static_cast<int>(writes);
        return run;
    }
    run.end = WebFormRun::End::Applied;
    run.applied = answer.value(QStringLiteral("applied")).toInt();
    run.skipped = answer.value(QStringLiteral("skipped")).toInt();
    run.fields = answer.value(QStringLiteral("fields")).toInt();
    run.recognised = answer.value(QStringLiteral("recognised")).toInt();
    return run;
}

} // namespace

WebFormBridge::WebFormBridge(QWebEnginePage* page, QObject* parent)
    : QObject(parent)
    , m_page(page)
{
    // A new document makes every description taken so far stale.
    if (page)
        connect(page, &QWebEnginePage::loadStarted, this, [this] { ++m_generation; });
}

void WebFormBridge::run(Work work, Finished finished, bool withSource)
{
    const quint64 generation = m_generation;
    describeFor(
        [this, generation, work = std::move(work), finished = std::move(finished)](WebPageDescription page) {
            const auto finish = [&finished](const WebFormRun& run) {
                if (finished)
                    finished(run);
            };
            if (page.status == WebPageDescription::Status::Abandoned || !current(generation)) {
                finish({});
                return;
            }
            work(page.model);
            if (page.status == WebPageDescription::Status::NotDescribed || page.model.writes().empty()) {
                const bool described = page.status == WebPageDescription::Status::Described;
                finish({ described ? WebFormRun::End::Applied : WebFormRun::End::NotDescribed });
                return;
            }
            replay(page.model, finished);
        },
        withSource, true);
}

void WebFormBridge::describe(Described described, bool withSource)
{
    describeFor(std::move(described), withSource, false);
}

void WebFormBridge::describeFor(Described described, bool withSource, bool offer)
{
    const quint64 generation = m_generation;
    later([this, generation, described = std::move(described), withSource, offer]() mutable {
        describeElements(generation, std::move(described), withSource, offer);
    });
}

void WebFormBridge::describeLeaving(Described described)
{
    if (!m_page) {
        later([described = std::move(described)] { described({}); });
        return;
    }
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(describeScript(false), QWebEngineScript::ApplicationWorld,
        [self, described = std::move(described)](const QVariant& result) mutable {
            if (!self)
                return;
            const std::string json = toStdString(result.toString());
            self->later([json, described = std::move(described)] {
                WebPageDescription description;
                description.model = readPageDescription(json);
                description.status = description.model.documentToken().empty()
                    ? WebPageDescription::Status::NotDescribed
                    : WebPageDescription::Status::Described;
                described(std::move(description));
            });
        });
}

void WebFormBridge::readAnswer(Answered answered, bool message)
{
    if (!m_page) {
        later([answered = std::move(answered)] { answered({}); });
        return;
    }
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(readAnswerScript(message), QWebEngineScript::ApplicationWorld,
        [self, answered = std::move(answered)](const QVariant& result) mutable {
            if (!self)
                return;
            PageAnswer answer = readPageAnswer(toStdString(result.toString()));
            self->later([answer = std::move(answer), answered = std::move(answered)]() mutable {
                answered(std::move(answer));
            });
        });
}

void WebFormBridge::submitFilledForm(std::function<void(bool submitted)> done)
{
    if (!m_page) {
        later([done = std::move(done)] { done(false); });
        return;
    }
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(submitFormScript(), QWebEngineScript::ApplicationWorld,
        [self, done = std::move(done)](const QVariant& result) mutable {
            if (!self)
                return;
            const bool submitted = result.toBool();
            self->later([submitted, done = std::move(done)] { done(submitted); });
        });
}

void WebFormBridge::countLateFields(Counted counted)
{
    if (!m_page) {
        later([counted = std::move(counted)] { counted(0); });
        return;
    }
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(lateFieldsScript(), QWebEngineScript::ApplicationWorld,
        [self, counted = std::move(counted)](const QVariant& result) mutable {
            if (!self)
                return;
            const int fresh = result.toInt();
            self->later([fresh, counted = std::move(counted)] { counted(fresh); });
        });
}

void WebFormBridge::describeElements(quint64 generation, Described described, bool withSource, bool offer)
{
    if (!current(generation)) {
        described({});
        return;
    }
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(describeScript(offer), QWebEngineScript::ApplicationWorld,
        [self, generation, described = std::move(described), withSource](const QVariant& result) mutable {
            if (!self)
                return;
            const std::string json = toStdString(result.toString());
            self->later([self, generation, json, described = std::move(described), withSource]() mutable {
                WebPageDescription description;
                description.model = readPageDescription(json);
                // Every description names its document; without one the script did not run.
                description.status = description.model.documentToken().empty()
                    ? WebPageDescription::Status::NotDescribed
                    : WebPageDescription::Status::Described;
                if (!self->current(generation)) {
                    described({});
                } else if (withSource) {
                    self->fetchSource(generation, std::move(description), std::move(described));
                } else {
                    described(std::move(description));
                }
            });
        });
}

void WebFormBridge::fetchSource(quint64 generation, WebPageDescription description, Described described)
{
    QPointer<WebFormBridge> self(this);
    m_page->toHtml([self, generation, description = std::move(description), described = std::move(described)](
                       const QString& html) mutable {
        if (!self)
            return;
        std::string source = toStdString(html);
        self->later([self, generation, source = std::move(source), description = std::move(description),
                        described = std::move(described)]() mutable {
            if (!self->current(generation)) {
                described({});
                return;
            }
            // Every document has at least its html element; nothing at all means no source.
            if (!source.empty())
                description.model.setSource(std::move(source));
            described(std::move(description));
        });
    });
}

void WebFormBridge::replay(const FormDocumentModel& model, Finished finished)
{
    const std::size_t writes = model.writes().size();
    QPointer<WebFormBridge> self(this);
    m_page->runJavaScript(replayScript(pageWritesJson(model)), QWebEngineScript::ApplicationWorld,
        [self, writes, finished = std::move(finished)](const QVariant& result) mutable {
            if (!self)
                return;
            // The script itself refuses a document other than the one described.
            const WebFormRun run = replayOutcome(result, writes);
            self->later([run, finished = std::move(finished)]() {
                if (finished)
                    finished(run);
            });
        });
}

bool WebFormBridge::current(quint64 generation) const
{
    return m_page && generation == m_generation;
}

void WebFormBridge::later(std::function<void()> step)
{
    QMetaObject::invokeMethod(this, std::move(step), Qt::QueuedConnection);
}
