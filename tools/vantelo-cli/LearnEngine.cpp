// The browser engine of vantelo-cli learn: pages whose fetched markup holds no
// form are loaded offscreen on the browser profile of the data folder, while
// the learner runs on a thread of its own.

#include "Commands.h"
#include "OffscreenApplication.h"
#include "browser/ui/BrowserProfile.h"
#include "filling/web/EnginePageRenderer.h"

#include <QEventLoop>

#include <thread>

void learnWithEngine(
    const std::filesystem::path& browserFolder, const std::function<void(IPageRenderer&)>& work)
{
    const OffscreenApplication application(false);
    BrowserProfile browser(browserFolder, {});
    EnginePageRenderer renderer(browser);
    QEventLoop loop;
    // A quit queued before the loop runs is delivered once it does.
    std::thread learner([&] {
        work(renderer);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    learner.join();
}
