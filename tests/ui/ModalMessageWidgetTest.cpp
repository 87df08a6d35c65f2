// With real (modal) message boxes the refusals behave as with scripted ones:
// the box's own event loop must not let the refused click through.
#include "EditorFixture.h"

#include <QMessageBox>
#include <QTimer>

namespace rp770::ui::test {
namespace {

// Shows every message as a modal box that its own event loop closes.
class ModalBoxPrompter : public Prompter {
public:
    std::vector<std::string> texts;
    void Message(const std::string& text, const std::string& title, Icon) override {
        texts.push_back(text);
        QWidget* owner = QApplication::activeWindow();
        QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, owner);
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
        box.exec();
        // As a window manager does, give the activation back, some time later.
        if (owner) owner->activateWindow();
    }
    Answer Ask(const std::string&, const std::string&, Icon, Buttons, Answer defaultAnswer) override {
        return defaultAnswer;
    }
};

class ModalMessages : public EditorFixture {
protected:
    ModalBoxPrompter modal;
    void Adjust(DataSet& d) override {
        d.groups[GroupEXP].Usable = true;
        d.exp[1].Enable = true;
        d.exp[1].CHDisplayL = "E1";
        d.exp[1].Rxfreq = 156.050;
    }
    Prompter& PanePrompter() override { return modal; }
    void SetUp() override {
        EditorFixture::SetUp();
        Select("E 1");
    }
    void Settle() { ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())); }
};

TEST_F(ModalMessages, RefusedEntryKeepsFocusAndSwallowsTheClick) {
    QLineEdit* rx = Edit("txtCRF");
    QCheckBox* scan = Box("chkCScan");
    TypeInto(rx, "136.9");
    Click(scan);
    Settle();
    EXPECT_EQ(modal.texts.size(), 1u);
    EXPECT_FALSE(scan->isChecked());
    EXPECT_FALSE(Data().exp[1].ScanMemory);
    EXPECT_TRUE(rx->hasFocus());

    ClickNode("Common");
    Settle();
    EXPECT_EQ(modal.texts.size(), 2u);
    EXPECT_EQ(SelectedKey(), "E 1");
    EXPECT_TRUE(rx->hasFocus());

    QTest::keyClick(rx, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(modal.texts.size(), 3u);
    EXPECT_TRUE(rx->hasFocus());

    // A click after the refusal works as usual.
    rx->selectAll();
    QTest::keyClicks(rx, "156.1");
    Click(scan);
    EXPECT_TRUE(Data().exp[1].ScanMemory);
    EXPECT_DOUBLE_EQ(Data().exp[1].Rxfreq, 156.1);
}

}  // namespace
}  // namespace rp770::ui::test
