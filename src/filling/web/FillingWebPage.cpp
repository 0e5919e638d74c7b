#include "filling/web/FillingWebPage.h"

#include <QFile>
#include <QFileDialog>
#include <QRandomGenerator>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include <utility>

namespace {

constexpr const char* kPageElementsScript = ":/filling/page-elements.js";
constexpr const char* kWatchScript = ":/filling/watch-fields.js";
// Where the watch script takes the secret that marks its messages.
constexpr const char* kSecretPlaceholder = "VANTELO-SUBMISSION-SECRET";
// Marks the watch's message that a file input with a profile's file was clicked.
constexpr QLatin1String kChooserMark("chooser:");
// A chooser opens right after the click; a later one is another's.
constexpr qint64 kChooserFollowsClickMs = 5000;

QString scriptText(const char* resource)
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The watch that notes what a person typed, when a document changed and when the
// filled form is submitted, in every document and frame from its start, where
// the page's own scripts cannot see it.
QWebEngineScript fieldWatch(const QString& secret)
{
    static const QString source =
        scriptText(kPageElementsScript) + QLatin1Char('\n') + scriptText(kWatchScript);
    QWebEngineScript script;
    script.setName(QStringLiteral("vantelo-field-watch"));
    script.setSourceCode(QString(source).replace(QLatin1String(kSecretPlaceholder), secret));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

} // namespace

FillingWebPage::FillingWebPage(QObject* parent)
    : BrowserPage(parent)
{
    watchFields();
}

FillingWebPage::FillingWebPage(BrowserProfile& browser, QObject* parent)
    : BrowserPage(browser, parent)
{
    watchFields();
}

void FillingWebPage::watchFields()
{
    QRandomGenerator* random = QRandomGenerator::system();
    m_secret = QStringLiteral("vantelo-%1%2:")
                   .arg(random->generate64(), 16, 16, QLatin1Char('0'))
                   .arg(random->generate64(), 16, 16, QLatin1Char('0'));
    scripts().insert(fieldWatch(m_secret));
}

bool FillingWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame) {
        if (type == NavigationTypeFormSubmitted)
            emit formSubmitted();
        emit mainFrameNavigationStarting(url);
    }
    return true;
}

void FillingWebPage::javaScriptConsoleMessage(
    JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source)
{
    if (message.startsWith(m_secret)) {
        const QString body = message.mid(m_secret.size());
        if (body.startsWith(kChooserMark)) {
            m_chooserFile = body.mid(kChooserMark.size());
            m_chooserAge.start();
            return;
        }
        emit filledFormSubmitted(body);
        return;
    }
    BrowserPage::javaScriptConsoleMessage(level, message, line, source);
}

void FillingWebPage::javaScriptAlert(const QUrl& origin, const QString& text)
{
    // Told before the box shows: it holds the page until the user closes it.
    emit alertShown(text);
    BrowserPage::javaScriptAlert(origin, text);
}

QStringList FillingWebPage::chooseFiles(
    FileSelectionMode mode, const QStringList& oldFiles, const QStringList& acceptedMimeTypes)
{
    const bool suggested = !m_chooserFile.isEmpty() && m_chooserAge.isValid()
        && m_chooserAge.elapsed() < kChooserFollowsClickMs
        && (mode == FileSelectOpen || mode == FileSelectOpenMultiple);
    const QString file = std::exchange(m_chooserFile, QString());
    if (!suggested)
        return BrowserPage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
    QWidget* parent = QWebEngineView::forPage(this);
    if (mode == FileSelectOpenMultiple)
        return QFileDialog::getOpenFileNames(parent, QString(), file);
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), file);
    return chosen.isEmpty() ? QStringList() : QStringList { chosen };
}
