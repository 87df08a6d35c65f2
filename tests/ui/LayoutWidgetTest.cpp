// Every screen and the main dialogs of the window at their start size, in
// each language the window has and in the pseudo-language (every text about
// 40 % longer): no text cut off, no control lying over its neighbour.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <memory>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/RadioLink.h"
#include "platform/WindowLanguage.h"
#include "presentation/Layout.h"
#include "sim/VirtualWire.h"
#include "support/ScriptedPrompter.h"
#include "ui/AboutBox.h"
#include "ui/DifferencesDialog.h"
#include "ui/EditorPane.h"
#include "ui/FileDialogs.h"
#include "ui/LineWidget.h"
#include "ui/MainWindow.h"
#include "ui/RadioBackupsDialog.h"
#include "ui/TransferDialog.h"
#include "ui/WindowAsker.h"

namespace rp770::ui {
namespace {

using rp770::testing::ShippedDataFolder;

QString TextOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    return {};
}

QString Describe(const QWidget* w) {
    return QStringLiteral("%1 %2 \"%3\"").arg(QLatin1String(w->metaObject()->className()), w->objectName(),
                                              TextOf(w).left(40));
}

// The room a widget's text needs beyond what it has, as "needs WxH, has WxH"; empty when it fits.
QString Shortfall(const QWidget* w) {
    QSize need(0, 0);
    QSize has = w->size();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty()) return {};
        need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->minimumSizeHint();
    } else if (auto* button = qobject_cast<const QPushButton*>(w)) {
        // The style's least width of a button says nothing of its text: the text against the room inside.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString shown = QString(button->text()).remove(QRegularExpression("&(?!&)"));
        need = QSize(button->fontMetrics().horizontalAdvance(shown) + (button->icon().isNull() ? 0 : button->iconSize().width() + 4),
                     button->fontMetrics().height());
        has = inside.size();
    } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        need = w->sizeHint();
    } else if (auto* box = qobject_cast<const QGroupBox*>(w)) {
        need = box->minimumSizeHint();
    } else if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        // Every item, as the closed box shows it once chosen.
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i)
            need.setWidth(std::max(need.width(), combo->fontMetrics().horizontalAdvance(combo->itemText(i))));
        has = QSize(field.width(), 0);
    } else {
        return {};
    }
    if (need.width() <= has.width() && need.height() <= has.height()) return {};
    return QStringLiteral("needs %1x%2, has %3x%4").arg(need.width()).arg(need.height()).arg(has.width()).arg(has.height());
}

// The insides of Qt's compound widgets are theirs to arrange.
bool OwnArrangement(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractButton*>(w);
}

// What is cut off or overlaps among the visible widgets from `root` down:
// a text without the room it needs (or with a placeholder left unfilled),
// a widget reaching out of its parent (but for the contents of a scrolling
// area), two siblings over each other (but for lines and pictures).
void CollectFaults(const QWidget* root, QStringList& faults) {
    std::vector<const QWidget*> shown;
    for (const QObject* o : root->children()) {
        auto* w = qobject_cast<const QWidget*>(o);
        if (w && !w->isWindow() && w->isVisible()) shown.push_back(w);
    }
    // Children are stacked in their order: one wholly under a later one, or
    // wholly outside its parent, is not seen.
    std::erase_if(shown, [&shown, root](const QWidget* w) {
        return !root->rect().intersects(w->geometry()) ||
               std::any_of(std::find(shown.begin(), shown.end(), w) + 1, shown.end(),
                           [w](const QWidget* above) { return above->geometry().contains(w->geometry()); });
    });
    // The editing area is placed by the window's sizing rules (tested on
    // their own), which let its frame run under the status bar; the
    // contents of a scrolling area may reach out of sight.
    const bool placed = qobject_cast<const EditorPane*>(root) ||
                        (root->parentWidget() && qobject_cast<const QAbstractScrollArea*>(root->parentWidget()));
    for (const QWidget* w : shown) {
        if (const QString s = Shortfall(w); !s.isEmpty()) faults << Describe(w) + ": " + s;
        if (TextOf(w).contains(QRegularExpression("%[1-9]"))) faults << Describe(w) + " shows a placeholder";
        if (!placed && !root->rect().contains(w->geometry()))
            faults << QStringLiteral("%1 at %2,%3 %4x%5 reaches out of %6 (%7x%8)").arg(Describe(w)).arg(w->x()).arg(w->y())
                          .arg(w->width()).arg(w->height()).arg(Describe(root)).arg(root->width()).arg(root->height());
        if (!OwnArrangement(w)) CollectFaults(w, faults);
    }
    // Lines and pictures may be drawn over each other (a cable over a radio's jack); controls may not.
    std::erase_if(shown, [](const QWidget* w) {
        return qobject_cast<const LineWidget*>(w) ||
               (w->focusPolicy() == Qt::NoFocus && w->children().isEmpty() &&
                !qobject_cast<const QLabel*>(w) && !qobject_cast<const QAbstractButton*>(w));
    });
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                faults << Describe(shown[i]) + " overlaps " + Describe(shown[j]);
}

QStringList Faults(const QWidget* top) {
    QStringList faults;
    if (const QString s = Shortfall(top); !s.isEmpty()) faults << Describe(top) + ": " + s;
    CollectFaults(top, faults);
    return faults;
}

class NoDialogs : public FileDialogs {
public:
    QString OpenPath(QWidget*, FileKind, const QString&) override { return {}; }
    QString SavePath(QWidget*, FileKind, const QString&) override { return {}; }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

class LayoutWidgetTest : public ::testing::TestWithParam<const char*> {
protected:
    rp770::testing::TestFolder folder;
    MemorySettingsStore settings;
    rp770::testing::ScriptedPrompter prompter;
    NoDialogs dialogs;
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    link::RadioLink radioLink{wire.Port(), wire.GetClock(), wire.GetPump()};
    FolderProgramData program{folder.str()};
    DiskFiles files;
    WindowAsker asker{prompter};
    std::unique_ptr<platform::WindowLanguage> language;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        rp770::testing::CopyShippedData(folder.path());
        language = std::make_unique<platform::WindowLanguage>(GetParam(), ShippedDataFolder());
        ASSERT_EQ(language->Language(), GetParam()) << "its catalogue beside the shipped data";
        session = std::make_unique<AppSession>(program, SessionServices{settings, files, asker}, Switches{});
        session->SetLink(&radioLink);
        window = std::make_unique<MainWindow>(*session, MainWindowServices{settings, prompter, asker, wire.GetClock(), dialogs});
        ASSERT_TRUE(window->Startup());
        window->resize(presentation::layout::kStartWidthPixels, presentation::layout::kStartHeightPixels);
        window->show();
    }
    void TearDown() override {
        if (window) window->setWindowModified(false);
        window.reset();
        session.reset();
        language.reset();
    }
};

TEST_P(LayoutWidgetTest, EveryScreenAndDialogHoldsItsTexts) {
    for (int group : {int(PlanUSA), int(PlanINT), int(PlanCAN), GroupEXP}) window->workspace().SetGroupUsable(group, true);
    QStringList faults;
    for (const char* key : {"General", "Common", "PU", "PU 30", "PI", "PC", "PW", "ExpChannel", "E 1"}) {
        ASSERT_TRUE(window->editor().SelectNodeByKey(key)) << key;
        QApplication::processEvents();
        for (const QString& fault : Faults(window.get())) faults << QStringLiteral("%1: %2").arg(key, fault);
    }
    TransferDialog transfer(TransferMode::Read, *session, prompter, wire.GetClock(), window.get());
    AboutBox about(window.get());
    RadioBackupsDialog backups({{"id", "/kept/1.hex", "2026-12-09T06:15:00Z", "MR318", "none", KeepReason::BeforeProgramming, 1024}},
                               "/kept", window.get());
    DifferencesDialog differences({{"Common", "", "Dual Watch", "off", "on"}}, "the radio", "Compare", window.get());
    for (QDialog* dialog : std::initializer_list<QDialog*>{&transfer, &about, &backups, &differences}) {
        dialog->show();
        QApplication::processEvents();
        for (const QString& fault : Faults(dialog)) faults << dialog->metaObject()->className() + QStringLiteral(": ") + fault;
        dialog->hide();
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, LayoutWidgetTest, ::testing::Values("en", "en_XA", "de", "nl", "fr"),
                         [](const auto& language) { return std::string(language.param); });

}  // namespace
}  // namespace rp770::ui
