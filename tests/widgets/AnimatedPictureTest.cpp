#include "widgets/AnimatedPicture.h"

#include "GuiTestSupport.h"

#include <QMovie>

#include <gtest/gtest.h>

namespace {

TEST(CAnimatedPictureTest, PlaysTheShippedAnimation)
{
    AnimatedPicture picture;
    ASSERT_TRUE(picture.load(QStringLiteral(VANTELO_BIN_DIR "/data/wait.gif")));
    EXPECT_TRUE(picture.isPlaying());
    ASSERT_NE(picture.movie(), nullptr);
    EXPECT_GT(picture.movie()->frameCount(), 1);
}

TEST(CAnimatedPictureTest, MissingFileLeavesThePictureEmpty)
{
    AnimatedPicture picture;
    EXPECT_FALSE(picture.load(QStringLiteral(VANTELO_BIN_DIR "/data/no-such.gif")));
    EXPECT_FALSE(picture.isPlaying());
    EXPECT_EQ(picture.movie(), nullptr);
}

} // namespace
