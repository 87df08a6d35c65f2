#pragma once
// An editing area on an editing session with the factory data (USA
// destination), shown in an active window so that focus moves as it does
// for a user. The area is not told of the session's changes unless a test
// connects it (as the main window does), so Alter() changes the data behind
// the screens' back.

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
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "support/ScriptedPrompter.h"
#include "ui/EditorPane.h"
#include "ui/NavigationTree.h"
#include "ui/WorkspaceEvents.h"
#include "workspace/Workspace.h"

namespace rp770::ui::test {

class EditorFixture : public ::testing::Test {
protected:
    rp770::testing::TestFolder folder;
    MemorySettingsStore settings;
    rp770::testing::ScriptedPrompter prompter;
    FolderProgramData program{folder.str()};
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<WorkspaceEvents> events;
    QStringList hints;
    QStringList helps;  // what the help line under the editing area showed
    std::unique_ptr<QWidget> window;
    EditorPane* pane = nullptr;

    // Change the data before the pane is built; they count as saved.
    virtual void Adjust(DataSet&) {}
    // Where the panels' message boxes go.
    virtual Prompter& PanePrompter() { return prompter; }

    const DataSet& Data() const { return ws->data(); }
    bool Changed() const { return ws->modified(); }
    // Changes the data as a whole, as an import would.
    template <typename Change>
    void Alter(Change change) {
        DataSet next = Data();
        change(next);
        ws->ReplaceData(next, "test");
    }

    void SetUp() override {
        rp770::testing::CopyShippedData(folder.path());
        settings.Set("IniFilePath", "IniFileName_1", "USA");
        ws = std::make_unique<Workspace>(program, settings);
        ASSERT_TRUE(ws->Start().Ok());
        ASSERT_TRUE(ws->New().Ok());
        DataSet adjusted = Data();
        Adjust(adjusted);
        if (!(adjusted == Data())) {
            ws->ReplaceData(adjusted, "setup");
            ws->MarkSaved(folder / "setup.dat");
        }

        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        pane = new EditorPane(*ws, EditorServices{PanePrompter(), [this](const QString& hint) { hints << hint; },
                                                  QString::fromStdString(folder.str()),
                                                  [this](const QString& help) { helps << help; }},
                              window.get());
        layout->addWidget(pane);
        pane->SetOptionalPanelsVisible(Data().flags);
        {
            FillingGuard filling(pane->Context());
            pane->ReinitialisePanels();
        }
        // The panels' own edits reach the tree, as in the main window.
        events = std::make_unique<WorkspaceEvents>(*ws, nullptr);
        QObject::connect(events.get(), &WorkspaceEvents::edited, pane, [this] { pane->AfterEdit(); });
        window->resize(900, 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        hints.clear();
        helps.clear();
    }

    void TearDown() override {
        events.reset();
        window.reset();
        ws.reset();
    }

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
