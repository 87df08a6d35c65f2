// Every input of every screen: named for screen readers by its label, and
// reached with Tab from the tree, with nothing between that shows no focus.
#include "EditorFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QHeaderView>
#include <QSet>

namespace rp770::ui::test {
namespace {

class Accessibility : public EditorFixture {
protected:
    void Adjust(DataSet& d) override {
        d.common.Scan = true;       // the SCAN settings take Tab only while scan is on
        d.groups[3].Usable = true;  // the EXP screens
    }
};

bool IsInput(const QWidget* w) {
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

// The name given, else the one Qt makes (a check box's caption). On Linux Qt
// reports a combo box's value as its name and its label as a relation, so
// the name given is what counts.
QString AccessibleName(QWidget* w) {
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed();
}

TEST_F(Accessibility, EveryInputIsNamedByItsLabelAndReachedWithTab) {
    const struct {
        const char* screen;
        std::vector<std::pair<const char*, const char*>> names;  // beyond the labels' buddies
    } screens[] = {
        {"Common", {{"cmbCommonResume", "Resume Time"}, {"txtATIScode", "ATIS Code"}, {"chkUsable(3)", "EXP CH Group"}}},
        {"PU 30", {}},
        {"E 1", {{"txtCN(1)", "CH Display Right Character"}}},
        {"PW", {{"chkDEnable(0)", "WX01[162.550MHz] Enable"}, {"chkDScan(9)", "WX10[163.275MHz] Scan"}}},
        {"PU", {{"MSFlexGrid1", "USA"}}},
        {"ExpChannel", {{"MSFlexGrid1", "EXP Channel"}}},
    };
    for (const auto& s : screens) {
        Select(s.screen);
        QSet<QWidget*> reached;
        Tree()->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 100 && (i == 0 || QApplication::focusWidget() != Tree()); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
            EXPECT_TRUE(IsInput(QApplication::focusWidget())) << s.screen << ": Tab stops where no focus shows";
        }
        for (QWidget* w : pane->CurrentPanel()->findChildren<QWidget*>()) {
            // Not the parts of a combo box or a grid.
            if (!IsInput(w) || !w->isVisible() || qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QHeaderView*>(w))
                continue;
            const std::string where = std::string(s.screen) + " " + w->objectName().toStdString();
            EXPECT_FALSE(AccessibleName(w).isEmpty() || AccessibleName(w) == ">") << where;
            for (QLabel* label : pane->findChildren<QLabel*>())
                EXPECT_TRUE(label->buddy() != w || AccessibleName(w) == label->text()) << where;
            EXPECT_TRUE(!w->isEnabled() || reached.contains(w)) << where << " not reached with Tab";
        }
        for (const auto& [object, name] : s.names) EXPECT_EQ(AccessibleName(Find<QWidget>(object)), name) << s.screen;
    }
}

}  // namespace
}  // namespace rp770::ui::test
