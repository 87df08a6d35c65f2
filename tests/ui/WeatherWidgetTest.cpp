// The weather channels and the weather alert that follows them.
#include "EditorFixture.h"

#include "ui/CommonSetupPanel.h"
#include "ui/PresentationNames.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

class Weather : public EditorFixture {
protected:
    QCheckBox* Enable(int k) const { return Box(QString("chkDEnable(%1)").arg(k)); }
    QCheckBox* Scan(int k) const { return Box(QString("chkDScan(%1)").arg(k)); }
    QComboBox* Alert() const { return Combo("cmbCommonWeater"); }
};

TEST_F(Weather, FilledFromTheWeatherChannels) {
    Alter([](DataSet& d) {
        d.wx[2].ScanMemory = true;
    });
    ws->MarkSaved(folder / "saved.dat");
    Select("PW");
    EXPECT_EQ(pane->CurrentPanel()->objectName(), "pictD");
    EXPECT_EQ(Find<QLabel>("lblWX(0)")->text(), "WX01[162.550MHz]");
    EXPECT_EQ(Find<QLabel>("lblWX(9)")->text(), "WX10[163.275MHz]");
    EXPECT_TRUE(Enable(0)->isChecked());
    EXPECT_TRUE(Scan(2)->isChecked());
    EXPECT_FALSE(Changed());
}

TEST_F(Weather, LastChannelOffForcesTheAlertOffAndFirstOnBringsItBack) {
    Select("Common");  // the alert controls are filled once
    Select("PW");
    for (int k = 0; k < kWxChannels; ++k) Click(Enable(k));
    EXPECT_FALSE(Data().wx[9].Enable);
    EXPECT_EQ(Data().common.WeatherAlert, 0);
    EXPECT_FALSE(Alert()->isEnabledTo(pane->CommonSetup()));
    EXPECT_EQ(Alert()->currentText(), "Off");
    EXPECT_TRUE(Changed());

    Click(Enable(4));
    EXPECT_EQ(Data().common.WeatherAlert, 3);
    EXPECT_TRUE(Alert()->isEnabledTo(pane->CommonSetup()));
    EXPECT_EQ(Alert()->currentText(), "On");

    Alter([](DataSet& d) {
        d.common.WeatherAlert = 0;  // a second channel changes nothing
    });
    Click(Enable(5));
    EXPECT_EQ(Data().common.WeatherAlert, 0);
}

TEST_F(Weather, ScanBoxOfADisabledChannelKeepsItsTick) {
    Select("PW");
    Click(Scan(1));
    EXPECT_TRUE(Data().wx[1].ScanMemory);
    Click(Enable(1));
    EXPECT_FALSE(Scan(1)->isEnabled());
    EXPECT_TRUE(Scan(1)->isChecked());
    EXPECT_TRUE(Data().wx[1].ScanMemory);
}

TEST_F(Weather, FocusMarksAndHints) {
    Select("PW");
    ClickFocus(Enable(3));
    EXPECT_EQ(Enable(3)->text(), ">");
    EXPECT_EQ(LastHint(), Tr(texts::kWxEnableHint));
    QTest::keyClick(Enable(3), Qt::Key_Tab);
    EXPECT_EQ(Enable(3)->text(), " ");
    EXPECT_TRUE(Scan(3)->hasFocus());
    EXPECT_EQ(Scan(3)->text(), ">");
    EXPECT_EQ(LastHint(), Tr(texts::kWxScanHint));
}

class WeatherAllOff : public Weather {
protected:
    void Adjust(DataSet& d) override {
        for (auto& wx : d.wx) wx.Enable = false;
        d.common.WeatherAlert = 0;
    }
};

TEST_F(WeatherAllOff, ShowingThePanelLeavesTheFlagAndTheAlertAsTheyWere) {
    for (bool before : {false, true}) {
        if (before) Alter([](DataSet& d) { d.common.DualWatch = !d.common.DualWatch; });
        Select("PW");
        EXPECT_EQ(Changed(), before);
        EXPECT_EQ(Data().common.WeatherAlert, 0);
        Select("Common");
        EXPECT_FALSE(Alert()->isEnabledTo(pane->CommonSetup()));
        EXPECT_EQ(Changed(), before);
    }
}

}  // namespace
}  // namespace rp770::ui::test
