// The common setup screen: settings, usable groups, ATIS.
#include "EditorFixture.h"

#include <QLabel>

#include "ui/CommonSetupPanel.h"
#include "ui/PresentationNames.h"
#include "ui/LineWidget.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

class CommonSetup : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Select("Common");
    }
    // A user's choice of an item, by keyboard.
    void Choose(QComboBox* combo, int index) {
        ClickFocus(combo);
        while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
    }
};

TEST_F(CommonSetup, FilledFromTheModel) {
    EXPECT_EQ(Combo("cmbCommonScan")->currentText(), "On");
    EXPECT_EQ(Combo("cmbCommonResume")->currentText(), "3Sec");
    EXPECT_EQ(Combo("cmbCommonPTTSCAN")->currentText(), "Off");
    EXPECT_EQ(Combo("cmbCommonDual")->currentText(), "Off");
    EXPECT_EQ(Combo("cmbCommonWeater")->currentText(), "On");
    EXPECT_EQ(Combo("cmbCommonResume")->count(), 6);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Box(QString("chkUsable(%1)").arg(i))->isChecked()) << i;
    EXPECT_FALSE(Box("chkUsable(3)")->isChecked());
    EXPECT_EQ(Combo("cmbUsablePri(0)")->currentText(), "17");  // factory priority: code 32
    EXPECT_EQ(Combo("cmbUsablePri(3)")->count(), 0);
    EXPECT_TRUE(Combo("cmbUsablePri(3)")->isHidden());
    EXPECT_EQ(Box("chkATISChGroup(1)")->text(), "INT");
    EXPECT_FALSE(Box("chkATISChGroup(3)")->isEnabled());
    EXPECT_FALSE(Changed());
}

TEST_F(CommonSetup, ScanOffGreysItsSettingsAndKeepsThem) {
    Choose(Combo("cmbCommonScan"), 0);
    EXPECT_FALSE(Data().common.Scan);
    EXPECT_TRUE(Changed());
    EXPECT_FALSE(Combo("cmbCommonResume")->isEnabled());
    EXPECT_FALSE(Combo("cmbCommonPTTSCAN")->isEnabled());
    EXPECT_FALSE(Find<QLabel>("lblCommonResume")->isEnabled());
    EXPECT_EQ(Data().common.ResumeTime, 3);
    EXPECT_EQ(Combo("cmbCommonResume")->currentText(), "3Sec");
    EXPECT_EQ(Find<LineWidget>("linScan(1)")->Colour(), InactiveLineColour(pane));
    Choose(Combo("cmbCommonScan"), 1);
    EXPECT_TRUE(Combo("cmbCommonResume")->isEnabled());
    EXPECT_EQ(Find<LineWidget>("linScan(1)")->Colour(), ActiveLineColour(pane));
    EXPECT_EQ(LastHint(), Tr(texts::kComboHint));
}

TEST_F(CommonSetup, SettingsAreStoredAtOnce) {
    Choose(Combo("cmbCommonResume"), 5);
    EXPECT_EQ(Data().common.ResumeTime, 5);
    Choose(Combo("cmbCommonPTTSCAN"), 1);
    EXPECT_TRUE(Data().common.PttScanClear);
    Choose(Combo("cmbCommonDual"), 1);
    EXPECT_TRUE(Data().common.DualWatch);
    Choose(Combo("cmbCommonWeater"), 0);
    EXPECT_EQ(Data().common.WeatherAlert, 0);
    Choose(Combo("cmbCommonWeater"), 1);
    EXPECT_EQ(Data().common.WeatherAlert, 3);  // "On" is 3, not 1
    Choose(Combo("cmbUsablePri(1)"), 2);
    EXPECT_EQ(Data().groups[PlanINT].PriorityChannel, Combo("cmbUsablePri(1)")->itemData(2).toInt());
    Click(Box("chkATISChGroup(2)"));
    EXPECT_FALSE(Data().atis.AtisGroups[2]);
}

TEST_F(CommonSetup, PriorityNotInTheListShowsTheFirstAndStaysStored) {
    Alter([](DataSet& d) {
        d.groups[PlanCAN].PriorityChannel = 0;  // channel 01 is not enabled in CAN
        d.plan(PlanCAN)[0].Enable = false;
    });
    Select("General");
    Select("Common");
    EXPECT_EQ(Combo("cmbUsablePri(2)")->currentIndex(), 0);
    EXPECT_EQ(Data().groups[PlanCAN].PriorityChannel, 0);
}

TEST_F(CommonSetup, UncheckingAGroupRemovesItsBranchAtOnce) {
    Click(Box("chkUsable(0)"));
    EXPECT_FALSE(Data().groups[PlanUSA].Usable);
    EXPECT_EQ(Tree()->FindByKey("PU"), nullptr);
    EXPECT_EQ(Tree()->FindByKey("PU 30"), nullptr);
    EXPECT_EQ(SelectedKey(), "Common");
    EXPECT_FALSE(Combo("cmbUsablePri(0)")->isEnabled());
    EXPECT_FALSE(Box("chkATISChGroup(0)")->isEnabled());
    EXPECT_TRUE(Changed());
    for (int i = 1; i < 3; ++i) Click(Box(QString("chkUsable(%1)").arg(i)));
    EXPECT_FALSE(Edit("txtATIScode")->isEnabled());
    Click(Box("chkUsable(3)"));
    EXPECT_NE(Tree()->FindByKey("ExpChannel"), nullptr);
    EXPECT_TRUE(Edit("txtATIScode")->isEnabled());
}

TEST_F(CommonSetup, AtisCodeOfNineDigitsIsRefused) {
    QLineEdit* code = Edit("txtATIScode");
    TypeInto(code, "123456789");
    EXPECT_EQ(LastHint(), Tr(texts::kAtisHint));
    ClickFocus(Combo("cmbCommonDual"));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "Data Error!!\nAn ATIS code is ten digits, or empty for none.");
    EXPECT_EQ(prompter.boxes[0].title, "ATISNo");
    EXPECT_TRUE(code->hasFocus());
    EXPECT_EQ(Data().atis.AtisCode, "");
    // Leaving the screen is refused the same way, with one message.
    ClickNode("General");
    EXPECT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(SelectedKey(), "Common");

    QTest::keyClicks(code, "0");
    ClickNode("General");
    EXPECT_EQ(Data().atis.AtisCode, "1234567890");
    EXPECT_EQ(SelectedKey(), "General");
}

TEST_F(CommonSetup, EmptyAtisCodeIsAccepted) {
    Alter([](DataSet& d) {
        d.atis.AtisCode = "1234567890";
    });
    Select("General");
    Select("Common");
    QLineEdit* code = Edit("txtATIScode");
    ClickFocus(code);
    code->clear();
    ClickFocus(Combo("cmbCommonDual"));
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(Data().atis.AtisCode, "");
}

TEST_F(CommonSetup, AtisCodeTakesDigitsOnly) {
    QLineEdit* code = Edit("txtATIScode");
    TypeInto(code, "12a3.4 5678-90");
    EXPECT_EQ(code->text(), "1234567890");
    // Ten pasted characters that are not all digits are refused too.
    code->selectAll();
    code->insert("12345abcde");
    EXPECT_FALSE(pane->CommitPendingInput());
    EXPECT_EQ(prompter.boxes.size(), 1u);
}

TEST_F(CommonSetup, FocusTakenAwayRevertsABadCodeQuietly) {
    Alter([](DataSet& d) {
        d.atis.AtisCode = "1112223334";
    });
    Select("General");
    Select("Common");
    QLineEdit* code = Edit("txtATIScode");
    TypeInto(code, "55");
    code->clearFocus();
    QApplication::processEvents();
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(code->text(), "1112223334");
    EXPECT_EQ(Data().atis.AtisCode, "1112223334");
    EXPECT_TRUE(pane->CommitPendingInput());
}

class CommonSetupWithoutWeather : public CommonSetup {
protected:
    void Adjust(DataSet& d) override {
        for (auto& wx : d.wx) wx.Enable = false;
        d.common.WeatherAlert = 3;
    }
};

TEST_F(CommonSetupWithoutWeather, WeatherAlertIsForcedOff) {
    EXPECT_EQ(Data().common.WeatherAlert, 0);
    EXPECT_FALSE(Combo("cmbCommonWeater")->isEnabled());
    EXPECT_FALSE(Find<QLabel>("lblCommonWeater")->isEnabled());
    EXPECT_EQ(Combo("cmbCommonWeater")->currentText(), "Off");
    EXPECT_FALSE(Changed());  // showing the screen is no edit
}

class CommonSetupOfAPlainModel : public EditorFixture {
protected:
    void Adjust(DataSet& d) override { d.flags = ModelFlags{false, true, false}; }
};

TEST_F(CommonSetupOfAPlainModel, OptionalPanelsHidden) {
    Select("Common");
    EXPECT_TRUE(Find<QWidget>("pictATIS")->isHidden());
    EXPECT_TRUE(Find<QWidget>("pictCommonWeater")->isHidden());
}

}  // namespace
}  // namespace rp770::ui::test
