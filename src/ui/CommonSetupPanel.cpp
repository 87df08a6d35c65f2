#include "ui/Tr.h"
#include "ui/CommonSetupPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "presentation/CommonSetupView.h"
#include "presentation/InputRules.h"
#include "presentation/ScreenMessages.h"
#include "ui/AccessibleNames.h"
#include "ui/EditorContext.h"
#include "ui/FieldHelpTips.h"
#include "ui/FocusWatcher.h"
#include "ui/KeyFilter.h"
#include "ui/LineWidget.h"
#include "workspace/Edits.h"

namespace rp770::ui {

namespace {

constexpr int kScanConnectorPixels = 14;

QString IndexedName(const char* name, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); }

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QComboBox* MakeCombo(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(6);
    return combo;
}

using presentation::ChoiceView;
using presentation::ComboItem;

// Fills a combo box with items and leaves it with no selection.
void LoadItems(QComboBox* combo, const std::vector<ComboItem>& items) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const ComboItem& item : items) combo->addItem(QString::fromStdString(item.text), item.data);
    combo->setCurrentIndex(-1);
}

// The scan connector: a short horizontal line in front of a dependent setting.
LineWidget* MakeConnector(int i, QWidget* parent) {
    auto* line = new LineWidget(IndexedName("linScan", i), ActiveLineColour(parent), parent);
    line->setFixedSize(kScanConnectorPixels, 1);
    return line;
}

// Selects the item the view names (or leaves the selection) and enables the box.
void ShowChoice(QComboBox* combo, const ChoiceView& view) {
    if (view.selected != presentation::kSelectionStays) combo->setCurrentIndex(view.selected);
    combo->setEnabled(view.enabled);
}

// The item data of the selected item, -1 when none is selected.
int SelectedItemData(const QComboBox& combo) {
    if (combo.currentIndex() < 0) return -1;
    bool ok = false;
    const int value = combo.currentData().toInt(&ok);
    return ok ? value : -1;
}

}  // namespace

CommonSetupPanel::CommonSetupPanel(EditorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName("pictCommon");
    setAutoFillBackground(true);
    BuildControls();
    ConnectHandlers();
}

// ---- construction --------------------------------------------------------------

void CommonSetupPanel::BuildControls() {
    // The controls sit on an inner panel that fills this one; in a panel too
    // small for them it scrolls rather than squeezing them.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    // Tab goes to the controls, not to the area around them (which would show no focus).
    scroll_->setFocusPolicy(Qt::NoFocus);
    outer->addWidget(scroll_);
    child_ = new QWidget();
    child_->setObjectName("pictCommonChild");
    grid_ = new QGridLayout(child_);
    grid_->setContentsMargins(8, 8, 8, 8);
    grid_->setHorizontalSpacing(12);
    grid_->setVerticalSpacing(8);
    sections_ = {BuildScanning(child_), BuildDualWatch(child_), BuildWeather(child_), BuildUsableGroups(child_),
                 BuildAtis(child_)};
    scroll_->setWidget(child_);
    ArrangeSections(2);
}

void CommonSetupPanel::ArrangeSections(int columns) {
    if (columns == columns_) return;
    columns_ = columns;
    for (QWidget* section : sections_) grid_->removeWidget(section);
    for (int r = 0; r < 6; ++r) grid_->setRowStretch(r, 0);
    if (columns == 2) {
        // Settings on the left, channel groups and ATIS on the right; a wide
        // panel widens both columns alike.
        grid_->addWidget(sections_[0], 0, 0);
        grid_->addWidget(sections_[1], 1, 0);
        grid_->addWidget(sections_[2], 2, 0);
        grid_->addWidget(sections_[3], 0, 1, 2, 1);
        grid_->addWidget(sections_[4], 2, 1);
        grid_->setRowStretch(3, 1);
        grid_->setColumnStretch(0, 1);
        grid_->setColumnStretch(1, 1);
    } else {
        for (int i = 0; i < static_cast<int>(sections_.size()); ++i) grid_->addWidget(sections_[static_cast<size_t>(i)], i, 0);
        grid_->setRowStretch(static_cast<int>(sections_.size()), 1);
        grid_->setColumnStretch(0, 1);
        grid_->setColumnStretch(1, 0);
    }
}

int CommonSetupPanel::TwoColumnWidth() const {
    int left = 0, right = 0;
    for (size_t i = 0; i < 3; ++i) left = std::max(left, sections_[i]->minimumSizeHint().width());
    for (size_t i = 3; i < 5; ++i) right = std::max(right, sections_[i]->minimumSizeHint().width());
    const QMargins m = grid_->contentsMargins();
    return left + right + grid_->horizontalSpacing() + m.left() + m.right();
}

void CommonSetupPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeSections(width() >= TwoColumnWidth() ? 2 : 1);
}

QWidget* CommonSetupPanel::BuildScanning(QWidget* parent) {
    auto* box = new QGroupBox(Tr(MessageId::ScanningFunction), parent);
    box->setObjectName("fraCommonScan");
    auto* grid = new QGridLayout(box);
    cmbCommonScan_ = MakeCombo("cmbCommonScan", box);
    cmbCommonResume_ = MakeCombo("cmbCommonResume", box);
    cmbCommonPTTSCAN_ = MakeCombo("cmbCommonPTTSCAN", box);
    lblCommonResume_ = MakeLabel("lblCommonResume", Tr(MessageId::ResumeTime), box);
    lblCommonPTTSCAN_ = MakeLabel("lblCommonPTTSCAN", Tr(MessageId::PttScanClear), box);
    // SCAN, then the two settings that depend on it, joined by connector lines.
    QLabel* lblCommonScan = MakeLabel("lblCommonScan", Tr(MessageId::ScanCaps), box);
    NameByLabel(lblCommonScan, cmbCommonScan_);
    NameByLabel(lblCommonResume_, cmbCommonResume_);
    NameByLabel(lblCommonPTTSCAN_, cmbCommonPTTSCAN_);
    grid->addWidget(lblCommonScan, 0, 0, 1, 2);
    grid->addWidget(cmbCommonScan_, 0, 2);
    auto* stem = new LineWidget(IndexedName("linScan", 0), ActiveLineColour(box), box);
    stem->setFixedWidth(1);
    linScan_[0] = stem;
    grid->addWidget(stem, 1, 0, 2, 1, Qt::AlignHCenter);
    linScan_[1] = MakeConnector(1, box);
    linScan_[2] = MakeConnector(2, box);
    auto* resumeRow = new QHBoxLayout();
    resumeRow->addWidget(linScan_[1], 0, Qt::AlignVCenter);
    resumeRow->addWidget(lblCommonResume_);
    auto* pttRow = new QHBoxLayout();
    pttRow->addWidget(linScan_[2], 0, Qt::AlignVCenter);
    pttRow->addWidget(lblCommonPTTSCAN_);
    grid->addLayout(resumeRow, 1, 1);
    grid->addWidget(cmbCommonResume_, 1, 2);
    grid->addLayout(pttRow, 2, 1);
    grid->addWidget(cmbCommonPTTSCAN_, 2, 2);
    grid->setColumnStretch(3, 1);
    using presentation::Field;
    AttachFieldHelp(context_, Field::Scan, {lblCommonScan, cmbCommonScan_});
    AttachFieldHelp(context_, Field::ResumeTime, {lblCommonResume_, cmbCommonResume_});
    AttachFieldHelp(context_, Field::PttScanClear, {lblCommonPTTSCAN_, cmbCommonPTTSCAN_});
    return box;
}

QWidget* CommonSetupPanel::BuildDualWatch(QWidget* parent) {
    auto* box = new QGroupBox(parent);
    box->setObjectName("fraCommonDual");
    auto* row = new QHBoxLayout(box);
    cmbCommonDual_ = MakeCombo("cmbCommonDual", box);
    QLabel* lblCommonDual = MakeLabel("lblCommonDual", Tr(MessageId::DualWatch), box);
    NameByLabel(lblCommonDual, cmbCommonDual_);
    row->addWidget(lblCommonDual);
    row->addWidget(cmbCommonDual_);
    row->addStretch(1);
    AttachFieldHelp(context_, presentation::Field::DualWatch, {lblCommonDual, cmbCommonDual_});
    return box;
}

QWidget* CommonSetupPanel::BuildWeather(QWidget* parent) {
    pictCommonWeater_ = new QGroupBox(Tr(MessageId::WeatherChFunction), parent);
    pictCommonWeater_->setObjectName("pictCommonWeater");
    auto* row = new QHBoxLayout(pictCommonWeater_);
    lblCommonWeater_ = MakeLabel("lblCommonWeater", Tr(MessageId::WeatherAlert), pictCommonWeater_);
    cmbCommonWeater_ = MakeCombo("cmbCommonWeater", pictCommonWeater_);
    NameByLabel(lblCommonWeater_, cmbCommonWeater_);
    row->addWidget(lblCommonWeater_);
    row->addWidget(cmbCommonWeater_);
    row->addStretch(1);
    AttachFieldHelp(context_, presentation::Field::WeatherAlert, {lblCommonWeater_, cmbCommonWeater_});
    return pictCommonWeater_;
}

QWidget* CommonSetupPanel::BuildUsableGroups(QWidget* parent) {
    auto* box = new QGroupBox(Tr(MessageId::UsableChannelGroups), parent);
    box->setObjectName("fraUsable");
    auto* grid = new QGridLayout(box);
    grid->addWidget(MakeLabel("lblUsablePriHead", Tr(MessageId::PriorityCh), box), 0, 1, 1, 2);
    for (int i = 0; i < 4; ++i) {
        chkUsable_[static_cast<size_t>(i)] = new QCheckBox(QString::fromStdString(presentation::UsableGroupCaption(i)), box);
        chkUsable_[static_cast<size_t>(i)]->setObjectName(IndexedName("chkUsable", i));
        lblUsablePri_[static_cast<size_t>(i)] = MakeLabel(IndexedName("lblUsablePri", i), presentation::PriorityCaption(i), box);
        cmbUsablePri_[static_cast<size_t>(i)] = MakeCombo(IndexedName("cmbUsablePri", i), box);
        NameByLabel(lblUsablePri_[static_cast<size_t>(i)], cmbUsablePri_[static_cast<size_t>(i)]);
        cmbUsablePri_[static_cast<size_t>(i)]->setAccessibleDescription(Tr(MessageId::PriorityCh));
        grid->addWidget(chkUsable_[static_cast<size_t>(i)], i + 1, 0);
        grid->addWidget(lblUsablePri_[static_cast<size_t>(i)], i + 1, 1);
        grid->addWidget(cmbUsablePri_[static_cast<size_t>(i)], i + 1, 2);
        using presentation::Field;
        AttachFieldHelp(context_, i == GroupEXP ? Field::UsableExpGroup : Field::UsableGroup,
                        {chkUsable_[static_cast<size_t>(i)]});
        AttachFieldHelp(context_, Field::PriorityChannel,
                        {lblUsablePri_[static_cast<size_t>(i)], cmbUsablePri_[static_cast<size_t>(i)]});
    }
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget* CommonSetupPanel::BuildAtis(QWidget* parent) {
    pictATIS_ = new QGroupBox(Tr(MessageId::UsableAtisChGroup), parent);
    pictATIS_->setObjectName("pictATIS");
    auto* grid = new QGridLayout(pictATIS_);
    for (int i = 0; i < 4; ++i) {
        chkATISChGroup_[static_cast<size_t>(i)] = new QCheckBox(QString::fromUtf8(presentation::AtisGroupCaption(i)), pictATIS_);
        chkATISChGroup_[static_cast<size_t>(i)]->setObjectName(IndexedName("chkATISChGroup", i));
        grid->addWidget(chkATISChGroup_[static_cast<size_t>(i)], i / 2, i % 2);
        AttachFieldHelp(context_, presentation::Field::AtisGroup, {chkATISChGroup_[static_cast<size_t>(i)]});
    }
    lblATISCode_ = MakeLabel("lblATISCode", Tr(MessageId::AtisCode), pictATIS_);
    txtATIScode_ = new QLineEdit(pictATIS_);
    txtATIScode_->setObjectName("txtATIScode");
    NameByLabel(lblATISCode_, txtATIScode_);
    txtATIScode_->setMaxLength(10);
    txtATIScode_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 14);
    grid->addWidget(lblATISCode_, 2, 0);
    grid->addWidget(txtATIScode_, 2, 1);
    AttachFieldHelp(context_, presentation::Field::AtisCode, {lblATISCode_, txtATIScode_});
    grid->setColumnStretch(2, 1);
    return pictATIS_;
}

void CommonSetupPanel::ConnectHandlers() {
    const auto store = [this](QComboBox* combo, CommonField field, std::function<int(int index)> value) {
        connect(combo, &QComboBox::activated, this, [this, field, value](int index) {
            if (context_.Filling()) return;
            if (!context_.Accepted(context_.Session().SetCommon(field, value(index)))) {
                Fill();
                return;
            }
            ApplyScanState(presentation::MakeCommonSetupView(context_.Data()).resumeTime.enabled);
        });
    };
    const auto onOff = [](int index) { return index != 0 ? 1 : 0; };
    store(cmbCommonScan_, CommonField::Scan, onOff);
    store(cmbCommonResume_, CommonField::ResumeTime, [](int index) { return index; });
    store(cmbCommonPTTSCAN_, CommonField::PttScanClear, onOff);
    store(cmbCommonDual_, CommonField::DualWatch, onOff);
    store(cmbCommonWeater_, CommonField::WeatherAlert, [this](int) { return SelectedItemData(*cmbCommonWeater_); });
    for (int i = 0; i < 4; ++i) {
        QComboBox* combo = cmbUsablePri_[static_cast<size_t>(i)];
        connect(combo, &QComboBox::activated, this, [this, i, combo] {
            if (context_.Filling() || combo->isHidden()) return;
            if (!context_.Accepted(context_.Session().SetPriorityChannel(i, SelectedItemData(*combo)))) Fill();
        });
        connect(chkUsable_[static_cast<size_t>(i)], &QCheckBox::toggled, this, [this, i] { OnUsableToggled(i); });
        connect(chkATISChGroup_[static_cast<size_t>(i)], &QCheckBox::toggled, this, [this, i](bool on) {
            if (context_.Filling()) return;
            context_.Accepted(context_.Session().SetAtisGroup(i, on));
        });
    }
    for (QComboBox* combo : {cmbCommonScan_, cmbCommonResume_, cmbCommonPTTSCAN_, cmbCommonDual_, cmbCommonWeater_,
                             cmbUsablePri_[0], cmbUsablePri_[1], cmbUsablePri_[2], cmbUsablePri_[3]})
        FocusWatcher::Watch(combo)->gotFocus = [this] { context_.Hint(Tr(texts::kComboHint)); };
    for (int i = 0; i < 4; ++i) {
        FocusWatcher::Watch(chkUsable_[static_cast<size_t>(i)])->gotFocus = [this] { context_.Hint(Tr(texts::kCheckBoxHint)); };
        FocusWatcher::Watch(chkATISChGroup_[static_cast<size_t>(i)])->gotFocus = [this] {
            context_.Hint(Tr(texts::kCheckBoxHint));
        };
    }

    KeyFilter::Install(txtATIScode_, [](char32_t key, const QLineEdit&) { return presentation::AtisKeyAllowed(key); });
    FocusWatcher* atis = FocusWatcher::Watch(txtATIScode_);
    atis->gotFocus = [this] {
        context_.Hint(Tr(texts::kAtisHint));
        // An entry refused earlier stays due for its check.
        txtATIScode_->selectAll();
        QTimer::singleShot(0, txtATIScode_, [this] {
            if (txtATIScode_->hasFocus()) txtATIScode_->selectAll();
        });
    };
    atis->lostFocus = [this](QWidget* to) { AtisLostFocus(to); };
    connect(txtATIScode_, &QLineEdit::textChanged, this, [this] {
        if (context_.Filling() || !OwnEnabled(this) || !pictATIS_->isEnabledTo(this)) return;
        atisEdited_ = true;
    });
}

void CommonSetupPanel::SetOptionalPanelsVisible(bool atis, bool weatherAlert) {
    pictATIS_->setVisible(atis);
    pictCommonWeater_->setVisible(weatherAlert);
}

// ---- filling ----------------------------------------------------------------------

void CommonSetupPanel::ClearAndPrepare() {
    for (QCheckBox* box : chkUsable_) box->setChecked(false);
    RebuildPriorityLists();
    using namespace presentation;
    LoadItems(cmbCommonScan_, OffOnItems());
    LoadItems(cmbCommonResume_, ResumeTimeItems());
    LoadItems(cmbCommonPTTSCAN_, OffOnItems());
    LoadItems(cmbCommonDual_, OffOnItems());
    LoadItems(cmbCommonWeater_, WeatherAlertItems());
    if (context_.Data().flags.atis) {
        for (QCheckBox* box : chkATISChGroup_) box->setChecked(false);
        const QSignalBlocker quiet(txtATIScode_);
        txtATIScode_->clear();
    }
    atisEdited_ = false;
}

void CommonSetupPanel::RebuildPriorityLists() {
    const presentation::CommonSetupView view = presentation::MakeCommonSetupView(context_.Data());
    for (size_t i = 0; i < view.groups.size(); ++i) {
        const ChoiceView& priority = view.groups[i].priority;
        LoadItems(cmbUsablePri_[i], priority.items);
        cmbUsablePri_[i]->setVisible(priority.visible);
        lblUsablePri_[i]->setVisible(priority.visible);
    }
}

void CommonSetupPanel::Fill() {
    // With no weather channel enabled, showing the setting turns the weather alert off.
    context_.Session().CorrectForShowing(Workspace::Showing::CommonSetup);
    const presentation::CommonSetupView view = presentation::MakeCommonSetupView(context_.Data());
    FillingGuard filling(context_);
    ShowGroups(view);
    ShowSettings(view);
    ShowAtis(view);
}

void CommonSetupPanel::ShowGroups(const presentation::CommonSetupView& view) {
    RebuildPriorityLists();
    for (size_t i = 0; i < view.groups.size(); ++i) {
        chkUsable_[i]->setChecked(view.groups[i].usable.checked);
        ShowPriority(static_cast<int>(i), view.groups[i].priority);
    }
}

void CommonSetupPanel::ShowPriority(int group, const ChoiceView& priority) {
    ShowChoice(cmbUsablePri_[static_cast<size_t>(group)], priority);
    lblUsablePri_[static_cast<size_t>(group)]->setEnabled(priority.enabled);
}

void CommonSetupPanel::ShowSettings(const presentation::CommonSetupView& view) {
    ShowChoice(cmbCommonScan_, view.scan);
    ShowChoice(cmbCommonPTTSCAN_, view.pttScanClear);
    ShowChoice(cmbCommonDual_, view.dualWatch);
    ShowChoice(cmbCommonResume_, view.resumeTime);
    ShowChoice(cmbCommonWeater_, view.weatherAlert);
    lblCommonWeater_->setEnabled(view.weatherAlert.enabled);
    ApplyScanState(view.resumeTime.enabled);
}

void CommonSetupPanel::ShowWeatherAlert() {
    const ChoiceView alert = presentation::MakeCommonSetupView(context_.Data()).weatherAlert;
    ShowChoice(cmbCommonWeater_, alert);
    lblCommonWeater_->setEnabled(alert.enabled);
}

void CommonSetupPanel::FillAtis() { ShowAtis(presentation::MakeCommonSetupView(context_.Data())); }

void CommonSetupPanel::ShowAtis(const presentation::CommonSetupView& view) {
    for (size_t i = 0; i < view.atisGroups.size(); ++i) {
        const presentation::SwitchView& group = view.atisGroups[i];
        QCheckBox* box = chkATISChGroup_[i];
        box->setChecked(group.checked);
        box->setText(QString::fromStdString(group.caption));
        box->setEnabled(group.enabled);
    }
    if (!atisEdited_) {
        const QSignalBlocker quiet(txtATIScode_);
        txtATIScode_->setText(QString::fromStdString(view.atisCode.text));
    }
    txtATIScode_->setEnabled(view.atisCode.enabled);
    lblATISCode_->setEnabled(view.atisCode.enabled);
}

// ---- handlers ------------------------------------------------------------------------

bool CommonSetupPanel::IsCurrent() const { return context_.isCurrentPanel(const_cast<CommonSetupPanel*>(this)); }

void CommonSetupPanel::ApplyScanState(bool on) {
    for (LineWidget* line : linScan_) line->SetColour(on ? ActiveLineColour(this) : InactiveLineColour(this));
    for (QWidget* w : {static_cast<QWidget*>(lblCommonResume_), static_cast<QWidget*>(cmbCommonResume_),
                       static_cast<QWidget*>(lblCommonPTTSCAN_), static_cast<QWidget*>(cmbCommonPTTSCAN_)})
        w->setEnabled(on);
}

void CommonSetupPanel::OnUsableToggled(int group) {
    if (context_.Filling()) return;
    // The tree follows through the session's notice of the edit.
    const bool taken =
        context_.Accepted(context_.Session().SetGroupUsable(group, chkUsable_[static_cast<size_t>(group)]->isChecked()));
    const presentation::CommonSetupView view = presentation::MakeCommonSetupView(context_.Data());
    ShowPriority(group, view.groups[static_cast<size_t>(group)].priority);
    if (taken && IsCurrent()) ShowAtis(view);
}

// ---- ATIS code ------------------------------------------------------------------------


bool CommonSetupPanel::ValidateAtis() {
    if (!atisEdited_) return true;
    if (!context_.Session().SetAtisCode(txtATIScode_->text().toStdString())) {
        atisEdited_ = false;
        return true;
    }
    context_.Show(presentation::RefusalMessage(AtisRefusal()));
    KeepFocus(txtATIScode_);
    return false;
}

void CommonSetupPanel::TakeOrRevertAtis() {
    if (!atisEdited_) return;
    if (context_.Session().SetAtisCode(txtATIScode_->text().toStdString())) {
        const QSignalBlocker quiet(txtATIScode_);
        txtATIScode_->setText(QString::fromStdString(presentation::MakeCommonSetupView(context_.Data()).atisCode.text));
    }
    atisEdited_ = false;
}

void CommonSetupPanel::AtisLostFocus(QWidget* to) {
    if (context_.isTree(to)) {
        // Going to the tree: a good code is taken at once; a bad one waits for
        // the check that leaving the screen runs.
        if (atisEdited_ && CheckAtisCode(txtATIScode_->text().toStdString())) TakeOrRevertAtis();
        return;
    }
    if (!to || !txtATIScode_->isEnabled() || !txtATIScode_->isVisible()) {
        TakeOrRevertAtis();
        return;
    }
    ValidateAtis();
}

bool CommonSetupPanel::CommitPendingInput() {
    if (window()->focusWidget() != txtATIScode_ && !atisEdited_) return true;
    return ValidateAtis();
}

}  // namespace rp770::ui
