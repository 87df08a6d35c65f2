// The help of the editing screens' fields in the window: the tooltip of
// each field and its label, and the help line while a field has the focus or
// the pointer.
#include "EditorFixture.h"

#include "presentation/FieldHelp.h"
#include "ui/FieldHelpTips.h"
#include "ui/Tr.h"

namespace rp770::ui::test {
namespace {

using presentation::Field;

class FieldHelpWidget : public EditorFixture {
protected:
    // The EXP channels in the tree too, EXP1 enabled (its boxes usable).
    void Adjust(DataSet& data) override {
        data.groups[GroupEXP].Usable = true;
        ChannelRecord& exp1 = data.exp[1];
        exp1.Enable = true;
        exp1.Rxfreq = exp1.Txfreq = 157.0;
        exp1.CHDisplayL = "01";
    }
    static QString HelpText(Field field) { return Tr(presentation::FieldHelp(field)); }
    QString LastHelp() const { return helps.isEmpty() ? QString("(no help)") : helps.last(); }
};

TEST_F(FieldHelpWidget, EveryControlOfTheEditingScreensHasHelp) {
    for (const QString& key : {QString("Common"), QString("PU 30"), QString("E 1"), QString("PW")}) {
        Select(key);
        QWidget* panel = pane->CurrentPanel();
        ASSERT_NE(panel, nullptr) << key.toStdString();
        int controls = 0;
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QCheckBox*>(w) && !qobject_cast<QLineEdit*>(w)) continue;
            if (qobject_cast<QComboBox*>(w->parentWidget())) continue;  // a combo box's own line
            ++controls;
            EXPECT_FALSE(w->toolTip().isEmpty()) << key.toStdString() << ": " << w->objectName().toStdString();
        }
        EXPECT_GT(controls, 0) << key.toStdString();
    }
}

TEST_F(FieldHelpWidget, TheHelpLineShowsTheFocusedField) {
    const struct {
        const char* node;
        const char* widget;
        const char* label;  // carries the same tooltip, or nullptr
        Field field;
    } cases[] = {
        {"Common", "txtATIScode", "lblATISCode", Field::AtisCode},
        {"Common", "cmbCommonDual", "lblCommonDual", Field::DualWatch},
        {"Common", "chkUsable(3)", nullptr, Field::UsableExpGroup},
        {"Common", "cmbUsablePri(0)", "lblUsablePri(0)", Field::PriorityChannel},
        {"E 1", "txtCRF", "lblCRF", Field::RxFrequency},
        {"E 1", "txtCN(1)", nullptr, Field::DisplayRight},
        {"PU 30", "chkCScan", nullptr, Field::ScanMemory},
        {"PW", "chkDScan(0)", nullptr, Field::WxScan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widget);
        Select(c.node);
        QWidget* widget = Find<QWidget>(c.widget);
        ASSERT_NE(widget, nullptr);
        ClickFocus(widget);
        EXPECT_EQ(LastHelp(), HelpText(c.field));
        EXPECT_EQ(widget->toolTip(), FieldHelpTip(HelpText(c.field)));
        if (c.label) {
            EXPECT_EQ(Find<QWidget>(c.label)->toolTip(), FieldHelpTip(HelpText(c.field)));
        }
    }
}

TEST_F(FieldHelpWidget, PointingAtALabelShowsItsHelpUntilThePointerLeaves) {
    Select("Common");
    ClickFocus(Edit("txtATIScode"));
    QWidget* scanLabel = Find<QWidget>("lblCommonScan");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(scanLabel, &enter);
    EXPECT_EQ(LastHelp(), HelpText(Field::Scan));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(scanLabel, &leave);
    EXPECT_EQ(LastHelp(), HelpText(Field::AtisCode)) << "back to the field being edited";
    ClickFocus(Tree());
    EXPECT_TRUE(LastHelp().isEmpty()) << "the tree is no field";
}

}  // namespace
}  // namespace rp770::ui::test
