#pragma once
// An editing area on the factory data (USA destination), shown in an active
// window so that focus moves as it does for a user.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <memory>

#include "core/MemoryImage.h"
#include "core/Titles.h"
#include "data/FactoryImage.h"
#include "support/ScriptedPrompter.h"
#include "ui/EditorPane.h"
#include "ui/NavigationTree.h"

namespace rp770::ui::test {

class EditorFixture : public ::testing::Test {
protected:
    DataSet data;
    bool changed = false;
    rp770::testing::ScriptedPrompter prompter;
    QStringList hints;
    std::unique_ptr<QWidget> window;
    EditorPane* pane = nullptr;

    // Change the data before the pane is built.
    virtual void Adjust(DataSet&) {}

    void SetUp() override {
        data.modelNumber = 1;
        data.flags = ModelFlags{true, true, true};
        ResetDataSet(data);
        data.image = MakeFactoryImage(PlanUSA);
        DecodeImage(data);
        Adjust(data);

        EditorBinding binding;
        binding.data = &data;
        binding.dataChanged = &changed;
        binding.prompter = &prompter;
        binding.messageTitle = MessageTitle(1);
        binding.setHint = [this](const QString& hint) { hints << hint; };
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        pane = new EditorPane(binding, window.get());
        layout->addWidget(pane);
        pane->SetOptionalPanelsVisible(data.flags);
        pane->FillingPanels() = true;
        pane->ReinitialisePanels();
        pane->FillingPanels() = false;
        changed = false;
        window->resize(900, 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        hints.clear();
    }

    void TearDown() override { window.reset(); }

    template <class T>
    T* Find(const QString& name) const {
        T* widget = pane->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QCheckBox* Box(const QString& name) const { return Find<QCheckBox>(name); }
    QLineEdit* Edit(const QString& name) const { return Find<QLineEdit>(name); }
    QComboBox* Combo(const QString& name) const { return Find<QComboBox>(name); }
    NavigationTree* Tree() const { return pane->Tree(); }
    QString LastHint() const { return hints.isEmpty() ? QString("(no hint)") : hints.last(); }
    QString SelectedKey() const { return NavigationTree::KeyOf(Tree()->currentItem()); }

    void Select(const QString& key) { ASSERT_TRUE(pane->SelectNodeByKey(key)) << key.toStdString(); }

    // Moves the focus the way a mouse click on the widget does.
    static void ClickFocus(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    static void Click(QWidget* widget) {
        // Near the left edge: a check box only reacts on its box and caption.
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(std::min(8, widget->width() / 2), widget->height() / 2));
        QApplication::processEvents();
    }
    // A click on a tree node, as the user makes it.
    void ClickNode(const QString& key) {
        QTreeWidgetItem* node = Tree()->FindByKey(key);
        ASSERT_NE(node, nullptr);
        Tree()->scrollToItem(node);
        QApplication::processEvents();
        const QPoint at = Tree()->visualItemRect(node).center();
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    // Focus into a box and type, as the user does.
    static void TypeInto(QLineEdit* box, const QString& text) {
        ClickFocus(box);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    std::vector<std::string> BoxTitles() const {
        std::vector<std::string> titles;
        for (const auto& b : prompter.boxes) titles.push_back(b.title);
        return titles;
    }
};

}  // namespace rp770::ui::test
