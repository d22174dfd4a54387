#include "effects/EffectsTestSupport.h"

#include "gui/effects/ModePreview.h"

#include <QTest>

namespace lumaro::gui::test {
namespace {

bool AllBlack(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if ((rgb.pixel(x, y) & 0xFFFFFF) != 0)
                return false;
    return true;
}

class ModePreviewTest : public ::testing::Test {
protected:
    void SetUp() override { preview->resize(160, 120); }
    bool WaitForFrames(int count)
    {
        return QTest::qWaitFor([&] { return preview->FramesDrawn() >= count; }, 5000);
    }

    std::unique_ptr<CModePreview> preview = std::make_unique<CModePreview>();
};

TEST_F(ModePreviewTest, AChaseChangesFromFrameToFrameAndIsPainted)
{
    preview->Start("CM_LEFTTORIGHT_GC");
    ASSERT_TRUE(WaitForFrames(1));
    const int drawn = preview->FramesDrawn();
    const QImage first = preview->Image();
    ASSERT_TRUE(WaitForFrames(drawn + 2));
    EXPECT_NE(preview->Image(), first);
    EXPECT_FALSE(AllBlack(first));
    // The repaint the thread asked for shows its image.
    EXPECT_FALSE(AllBlack(Screenshot(preview.get(), QStringLiteral("mode-preview"))));
}

TEST_F(ModePreviewTest, DestroyingThePreviewMidAnimationEndsItsThread)
{
    preview->Start("CM_BRIGHTTODARK");
    ASSERT_TRUE(WaitForFrames(1));
    preview.reset(); // joins the thread: one that kept running would hang here
    ProcessEvents(); // the repaints it asked for went with the widget
}

TEST_F(ModePreviewTest, StartReplacesTheRunningThread)
{
    preview->Start("CM_EXPANDCIRCULAR_GC");
    ASSERT_TRUE(WaitForFrames(1));
    // Nothing to show: one black frame, then no more. A thread of the first
    // start still running would go on drawing rings.
    preview->Start("CM_EMPTYMODE");
    ASSERT_TRUE(WaitForFrames(1));
    QTest::qWait(400);
    EXPECT_EQ(preview->FramesDrawn(), 1);
    EXPECT_TRUE(AllBlack(preview->Image()));
    EXPECT_TRUE(AllBlack(Screenshot(preview.get(), QStringLiteral("mode-preview-empty"))))
        << "the box is cleared to black";
    EXPECT_TRUE(preview->Running());
    preview->Stop();
    EXPECT_FALSE(preview->Running());
}

} // namespace
} // namespace lumaro::gui::test
