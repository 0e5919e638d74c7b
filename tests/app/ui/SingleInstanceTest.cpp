#include "app/ui/SingleInstance.h"
#include "GuiTestSupport.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, ASecondStartOnTheSameFolderAsksTheFirstToComeForward)
{
    TempFolder folder;
    SingleInstance first(folder.path());
    ASSERT_FALSE(first.notifyRunningInstance());
    ASSERT_TRUE(first.listen());
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++activations; });

    SingleInstance second(folder.path() / "." / "");
    EXPECT_TRUE(second.notifyRunningInstance());
    EXPECT_TRUE(waitUntil([&] { return activations == 1; }));

    TempFolder otherFolder;
    EXPECT_FALSE(SingleInstance(otherFolder.path()).notifyRunningInstance());
    EXPECT_NE(SingleInstance::serverName(folder.path()), SingleInstance::serverName(otherFolder.path()));
}

TEST(SingleInstanceTest, ASocketLeftByACrashedCopyIsTakenOver)
{
    TempFolder folder;
    const QString name = SingleInstance::serverName(folder.path());
    // A socket file that nothing listens on any more: what a crashed copy leaves behind.
    const QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(path)));

    SingleInstance starting(folder.path());
    EXPECT_FALSE(starting.notifyRunningInstance());
    EXPECT_TRUE(starting.listen());
}

} // namespace
