// Runs the Qt tests headless: the offscreen platform, and Chromium without its
// sandbox when the tests run as root (as they do in CI).

#include "common/SecretStoreChoice.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    // The programs under test keep their secrets in their temporary data folders,
    // never in the keyring of the desktop the tests run on.
    ::setenv(kSecretStoreVariable, "file", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
