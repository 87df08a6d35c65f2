#include "ui/WeatherPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "presentation/WeatherView.h"
#include "ui/EditorContext.h"
#include "ui/FieldHelpTips.h"
#include "ui/FocusWatcher.h"
#include "ui/Tr.h"

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
    // Tab goes to the controls, not to the area around them (which would show no focus).
    scroll->setFocusPolicy(Qt::NoFocus);
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
        WatchFocusMark(chkDEnable_[i], texts::kWxEnableHint.id);
        WatchFocusMark(chkDScan_[i], texts::kWxScanHint.id);
        AttachFieldHelp(context_, presentation::Field::WxEnable, {chkDEnable_[i]});
        AttachFieldHelp(context_, presentation::Field::WxScan, {chkDScan_[i]});
    }
    AttachFieldHelp(context_, presentation::Field::WxEnable, {enableHead});
    AttachFieldHelp(context_, presentation::Field::WxScan, {scanHead});
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

void WeatherPanel::WatchFocusMark(QCheckBox* box, MessageId hint) {
    FocusWatcher* watcher = FocusWatcher::Watch(box);
    watcher->gotFocus = [this, box, hint] {
        context_.Hint(Tr(hint));
        box->setText(kFocusMark);
    };
    watcher->lostFocus = [box](QWidget*) { box->setText(kNoMark); };
}

void WeatherPanel::ClearBoxes() {
    FillingGuard filling(context_);
    for (int k = 0; k < kWxChannels; ++k) {
        chkDEnable_[static_cast<size_t>(k)]->setChecked(false);
        chkDScan_[static_cast<size_t>(k)]->setChecked(false);
    }
}

void WeatherPanel::Refresh() {
    // With no weather channel enabled, showing them turns the weather alert off.
    context_.Session().CorrectForShowing(Workspace::Showing::Weather);
    const std::vector<presentation::WeatherRowView> rows = presentation::MakeWeatherView(context_.Data());
    FillingGuard filling(context_);
    for (size_t i = 0; i < rows.size() && i < lblWX_.size(); ++i) {
        lblWX_[i]->setText(QString::fromStdString(rows[i].label));
        // The boxes have no caption of their own: each is named by its row and column.
        chkDEnable_[i]->setAccessibleName(lblWX_[i]->text() + " " + QString::fromStdString(rows[i].enable.caption));
        chkDScan_[i]->setAccessibleName(lblWX_[i]->text() + " " + QString::fromStdString(rows[i].scan.caption));
        ShowRow(static_cast<int>(i), rows[i]);
    }
}

void WeatherPanel::ShowRow(int k, const presentation::WeatherRowView& row) {
    const size_t i = static_cast<size_t>(k);
    chkDEnable_[i]->setChecked(row.enable.checked);
    chkDScan_[i]->setChecked(row.scan.checked);
    chkDScan_[i]->setEnabled(row.scan.enabled);
}

void WeatherPanel::FillWxPanel() {
    Refresh();
    context_.showPanel(this);
}

void WeatherPanel::Store(int k, ChannelFlag flag, bool on) {
    if (context_.Filling()) return;
    const ChannelRef channel{Area::WX, k};
    // The weather alert follows the weather channels: the session sees to it.
    if (!context_.Accepted(context_.Session().SetChannelFlag(channel, flag, on))) {
        Refresh();
        return;
    }
    const std::vector<presentation::WeatherRowView> rows = presentation::MakeWeatherView(context_.Data());
    FillingGuard filling(context_);
    ShowRow(k, rows[static_cast<size_t>(k)]);
}

void WeatherPanel::OnEnableClicked(int k) { Store(k, ChannelFlag::Enable, chkDEnable_[static_cast<size_t>(k)]->isChecked()); }

void WeatherPanel::OnScanClicked(int k) { Store(k, ChannelFlag::Scan, chkDScan_[static_cast<size_t>(k)]->isChecked()); }

}  // namespace rp770::ui
