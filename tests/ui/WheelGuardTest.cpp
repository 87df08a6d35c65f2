// The wheel edits a value only where the user put the keyboard focus;
// elsewhere it scrolls the panel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "ui/WheelGuard.h"

namespace rp770::ui {
namespace {

struct WheelPanel : ::testing::Test {
    QScrollArea area;
    QComboBox* combo = nullptr;
    QSpinBox* spin = nullptr;

    void SetUp() override {
        WheelGuard::Install();  // as the window does; a second install changes nothing
        auto* content = new QWidget;
        auto* layout = new QVBoxLayout(content);
        combo = new QComboBox;
        for (int i = 0; i < 40; ++i) combo->addItem(QString::number(i));
        combo->setCurrentIndex(17);
        spin = new QSpinBox;
        spin->setValue(5);
        layout->addWidget(combo);
        layout->addWidget(spin);
        layout->addSpacing(2000);  // taller than the panel: it can scroll
        area.setWidget(content);
        area.resize(200, 150);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        area.setFocus();
    }

    // One notch down over the widget, as from the mouse: the application
    // first hands the focus to a widget that takes it from the wheel.
    static void Wheel(QWidget* over) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent notch(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&notch);
        QApplication::instance()->notify(over, &notch);  // sendEvent would drop the mark
    }
};

TEST_F(WheelPanel, OnlyTheFocusedValueTakesTheWheelElseThePanelScrolls) {
    Wheel(combo);
    EXPECT_EQ(combo->currentIndex(), 17);
    const int scrolled = area.verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    Wheel(spin->findChild<QLineEdit*>());  // the spin box's own text box
    EXPECT_EQ(spin->value(), 5);
    EXPECT_GT(area.verticalScrollBar()->value(), scrolled);
    EXPECT_FALSE(combo->hasFocus() || spin->hasFocus()) << "a turn of the wheel hands out no focus";

    combo->setFocus(Qt::TabFocusReason);
    Wheel(combo);
    EXPECT_EQ(combo->currentIndex(), 18);
    spin->setFocus(Qt::MouseFocusReason);
    Wheel(spin);
    EXPECT_EQ(spin->value(), 4);
}

}  // namespace
}  // namespace rp770::ui
