#include "ui/WeatherPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/ChannelTables.h"
#include "ui/EditorContext.h"
#include "ui/EditorTexts.h"
#include "ui/FocusWatcher.h"

namespace rp770::ui {

namespace {
QString IndexedName(const char* name, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i); }
const QString kNoMark = QStringLiteral(" ");
const QString kFocusMark = QStringLiteral(">");
}  // namespace

WeatherPanel::WeatherPanel(EditorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName("pictD");
    setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto* rows = new QWidget();
    rows->setObjectName("pictDRows");
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(16);
    auto* enableHead = new QLabel(QStringLiteral("Enable"), rows);
    enableHead->setObjectName("Label11");
    auto* scanHead = new QLabel(QStringLiteral("Scan"), rows);
    scanHead->setObjectName("Label12");
    grid->addWidget(enableHead, 0, 1, Qt::AlignHCenter);
    grid->addWidget(scanHead, 0, 2, Qt::AlignHCenter);
    for (int k = 0; k < kWxChannels; ++k) {
        const size_t i = static_cast<size_t>(k);
        lblWX_[i] = new QLabel(rows);
        lblWX_[i]->setObjectName(IndexedName("lblWX", k));
        chkDEnable_[i] = new QCheckBox(kNoMark, rows);
        chkDEnable_[i]->setObjectName(IndexedName("chkDEnable", k));
        chkDScan_[i] = new QCheckBox(kNoMark, rows);
        chkDScan_[i]->setObjectName(IndexedName("chkDScan", k));
        grid->addWidget(lblWX_[i], k + 1, 0);
        grid->addWidget(chkDEnable_[i], k + 1, 1, Qt::AlignHCenter);
        grid->addWidget(chkDScan_[i], k + 1, 2, Qt::AlignHCenter);
        connect(chkDEnable_[i], &QCheckBox::toggled, this, [this, k] { OnEnableClicked(k); });
        connect(chkDScan_[i], &QCheckBox::toggled, this, [this, k] { OnScanClicked(k); });
        WatchFocusMark(chkDEnable_[i], texts::kWxEnableHint);
        WatchFocusMark(chkDScan_[i], texts::kWxScanHint);
    }
    // Tab runs across each row: enable, then scan.
    for (int k = 0; k < kWxChannels; ++k) {
        const size_t i = static_cast<size_t>(k);
        QWidget::setTabOrder(chkDEnable_[i], chkDScan_[i]);
        if (k + 1 < kWxChannels) QWidget::setTabOrder(chkDScan_[i], chkDEnable_[i + 1]);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(kWxChannels + 1, 1);
    scroll->setWidget(rows);
}

void WeatherPanel::WatchFocusMark(QCheckBox* box, const char* hint) {
    FocusWatcher* watcher = FocusWatcher::Watch(box);
    watcher->gotFocus = [this, box, hint] {
        context_.Hint(hint);
        box->setText(kFocusMark);
    };
    watcher->lostFocus = [box](QWidget*) { box->setText(kNoMark); };
}

void WeatherPanel::ClearBoxes() {
    for (int k = 0; k < kWxChannels; ++k) {
        chkDEnable_[static_cast<size_t>(k)]->setChecked(false);
        chkDScan_[static_cast<size_t>(k)]->setChecked(false);
    }
}

void WeatherPanel::FillWxPanel() {
    const auto& table = WxTable();
    const auto& records = context_.Data().wx;
    for (int k = 0; k < kWxChannels; ++k) {
        const size_t i = static_cast<size_t>(k);
        lblWX_[i]->setText(i < table.size() ? QString::fromStdString(table[i].name) : QString());
        const bool enabled = i < records.size() && records[i].Enable;
        const bool scan = i < records.size() && records[i].ScanMemory;
        // Not a quiet fill: a box that changes runs its handling, which
        // stores the same value and keeps the weather alert in step.
        chkDEnable_[i]->setChecked(enabled);
        chkDScan_[i]->setChecked(scan);
        chkDScan_[i]->setEnabled(chkDEnable_[i]->isChecked());
    }
    context_.showPanel(this);
}

bool WeatherPanel::AnyEnabled() const {
    for (const ChannelRecord& r : context_.Data().wx)
        if (r.Enable) return true;
    return false;
}

void WeatherPanel::OnEnableClicked(int k) {
    if (context_.Filling()) return;
    const size_t i = static_cast<size_t>(k);
    chkDScan_[i]->setEnabled(chkDEnable_[i]->isChecked());
    auto& records = context_.Data().wx;
    if (i >= records.size()) return;
    const bool noneBefore = !AnyEnabled();
    records[i].Enable = chkDEnable_[i]->isChecked();
    if (!AnyEnabled()) {
        if (setWeatherAlertAvailable) setWeatherAlertAvailable(false);
    } else if (noneBefore) {
        if (setWeatherAlertAvailable) setWeatherAlertAvailable(true);
    }
    context_.MarkChanged();
}

void WeatherPanel::OnScanClicked(int k) {
    if (context_.Filling()) return;
    auto& records = context_.Data().wx;
    const size_t i = static_cast<size_t>(k);
    if (i >= records.size()) return;
    records[i].ScanMemory = chkDScan_[i]->isChecked();
    context_.MarkChanged();
}

}  // namespace rp770::ui
