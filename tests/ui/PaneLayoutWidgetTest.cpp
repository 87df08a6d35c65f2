// The layout rules applied to the widgets, and the splitter drag.
#include "EditorFixture.h"

#include "ui/ChannelEditorPanel.h"
#include "ui/CommonSetupPanel.h"
#include "ui/GeneralPanel.h"

namespace rp770::ui::test {
namespace {

class PaneLayout : public EditorFixture {
protected:
    layout::WindowMetrics metrics;
    void SetUp() override {
        EditorFixture::SetUp();
        metrics.width = layout::ToTwips(window->width(), pane->TwipsPerPixelX());
        metrics.innerHeight = layout::ToTwips(window->height(), pane->TwipsPerPixelY());
        pane->SetWindowMetricsProvider([this] { return metrics; });
        pane->LayoutAfterResize();
    }
    int Px(double twips) const { return layout::ToPixels(twips, pane->TwipsPerPixelX()); }
    QWidget* Handle() const { return Find<QWidget>("imgSplitter"); }
};

TEST_F(PaneLayout, ResizeGivesTheTreeThirtyPercent) {
    EXPECT_EQ(Tree()->width(), Px(0.3 * metrics.width));
    EXPECT_EQ(pane->DataArea()->x(), Px(0.3 * metrics.width + 130));
    EXPECT_EQ(pane->General()->geometry(), pane->CommonSetup()->geometry());
    EXPECT_EQ(pane->General()->x(), Px(100));
    EXPECT_EQ(pane->ChannelEditor()->ChannelBox().top, 1450);
}

TEST_F(PaneLayout, SplitterDragIsClampedAndLeavesGeneralAndCommonAlone) {
    const QRect general = pane->General()->geometry();
    const QRect common = pane->CommonSetup()->geometry();
    QTest::mousePress(Handle(), Qt::LeftButton, {}, QPoint(2, 10));
    QWidget* bar = Find<QWidget>("picSplitter");
    EXPECT_TRUE(bar->isVisible());
    QMouseEvent move(QEvent::MouseMove, QPointF(-1000, 10), Handle()->mapToGlobal(QPointF(-1000, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Handle(), &move);
    EXPECT_EQ(bar->x(), Px(2500));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, QPoint(-1000, 10));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(Tree()->width(), Px(2500));
    EXPECT_EQ(pane->CurrentLayout().treeWidth, 2500);
    EXPECT_EQ(pane->General()->geometry(), general);
    EXPECT_EQ(pane->CommonSetup()->geometry(), common);
    EXPECT_NE(pane->ChannelEditor()->geometry().width(), general.width());
    // A resize brings everything back to the 30% rule.
    pane->LayoutAfterResize();
    EXPECT_EQ(Tree()->width(), Px(0.3 * metrics.width));
    EXPECT_EQ(pane->General()->width(), pane->ChannelEditor()->width());
}

TEST_F(PaneLayout, TheAreaStartsBelowTheToolbar) {
    metrics.toolbarVisible = true;
    metrics.toolbarHeight = 420;
    pane->LayoutAfterResize();
    EXPECT_EQ(Tree()->y(), layout::ToPixels(50, pane->TwipsPerPixelY()));
}

TEST_F(PaneLayout, NoLogoFileNoLogo) {
    std::filesystem::remove(folder / "QJ Logo.gif");
    EXPECT_FALSE(pane->LoadLogo());
    EXPECT_TRUE(pane->General()->Logo()->isHidden());
}

}  // namespace
}  // namespace rp770::ui::test
