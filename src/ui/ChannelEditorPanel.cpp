#include "ui/ChannelEditorPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "ui/AccessibleNames.h"
#include "ui/EditorContext.h"
#include "ui/EditorTexts.h"
#include "ui/FocusWatcher.h"
#include "ui/InputRules.h"
#include "workspace/Edits.h"
#include "ui/KeyFilter.h"
#include "ui/LineWidget.h"
#include "ui/TreeNodes.h"

namespace rp770::ui {

namespace {

constexpr int kConnectorStubPixels = 16;

QCheckBox* MakeCheckBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    return box;
}

QLabel* MakeLabel(const QString& name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

void SelectAllSoon(QLineEdit* edit) {
    edit->selectAll();
    // A mouse click places the cursor after the focus arrives: select again once it has.
    QTimer::singleShot(0, edit, [edit] {
        if (edit->hasFocus()) edit->selectAll();
    });
}

std::string LastChars(const std::string& text, size_t n) { return text.size() > n ? text.substr(text.size() - n) : text; }

}  // namespace

ChannelEditorPanel::ChannelEditorPanel(EditorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setObjectName("pictC");
    setAutoFillBackground(true);
    twipsPerPixel_ = layout::TwipsPerPixel(logicalDpiX());
    BuildControls();
    SetTabOrder();
    ConnectHandlers();
    Arrange(false);
}

// ---- construction ------------------------------------------------------------

void ChannelEditorPanel::BuildControls() {
    BuildHead();
    BuildChannelBox();
}

void ChannelEditorPanel::BuildHead() {
    // [x] CH Enable      CH Display [..][.]
    // Rx Frequency [........] MHz
    // Tx Frequency [........] MHz
    head_ = new QWidget(this);
    head_->setObjectName("pictCHead");
    auto* grid = new QGridLayout(head_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);

    chkCEnable_ = MakeCheckBox("chkCEnable", "CH Enable", head_);
    lblCPosition_ = MakeLabel("lblCPosition", "CH Display", head_);
    txtCN_[0] = MakeEdit("txtCN(0)", head_);
    txtCN_[1] = MakeEdit("txtCN(1)", head_);
    NameByLabel(lblCPosition_, txtCN_[0]);
    // The one label covers both display boxes: the right one is told apart.
    txtCN_[1]->setAccessibleName(lblCPosition_->text() + QStringLiteral(" Right Character"));
    txtCN_[0]->setMaxLength(2);
    txtCN_[1]->setMaxLength(1);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('W'));
    txtCN_[0]->setFixedWidth(charWidth * 2 + 14);
    txtCN_[1]->setFixedWidth(charWidth + 14);
    auto* display = new QHBoxLayout();
    display->setSpacing(2);
    display->addWidget(lblCPosition_);
    display->addSpacing(6);
    display->addWidget(txtCN_[0]);
    display->addWidget(txtCN_[1]);
    grid->addWidget(chkCEnable_, 0, 0, 1, 2);
    grid->addLayout(display, 0, 2, 1, 2, Qt::AlignLeft);
    grid->setColumnMinimumWidth(2, 0);

    lblCRF_ = MakeLabel("lblCRF", "Rx Frequency", head_);
    lblCTF_ = MakeLabel("lblCTF", "Tx Frequency", head_);
    rx_ = {MakeEdit("txtCRF", head_), texts::kRxFrequency, true, false};
    tx_ = {MakeEdit("txtCTF", head_), texts::kTxFrequency, false, false};
    NameByLabel(lblCRF_, rx_.edit);
    NameByLabel(lblCTF_, tx_.edit);
    lblCUnit_[0] = MakeLabel("lblCUnit(0)", "MHz", head_);
    lblCUnit_[1] = MakeLabel("lblCUnit(1)", "MHz", head_);
    const int frequencyWidth = fontMetrics().horizontalAdvance(QStringLiteral("000.00000")) + 14;
    rx_.edit->setFixedWidth(frequencyWidth);
    tx_.edit->setFixedWidth(frequencyWidth);
    grid->addWidget(lblCRF_, 1, 0);
    grid->addWidget(rx_.edit, 1, 1);
    grid->addWidget(lblCUnit_[0], 1, 2);
    grid->addWidget(lblCTF_, 2, 0);
    grid->addWidget(tx_.edit, 2, 1);
    grid->addWidget(lblCUnit_[1], 2, 2);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(3, 1);
}

void ChannelEditorPanel::BuildChannelBox() {
    pictCC_ = new QWidget(this);
    pictCC_->setObjectName("pictCC");
    const char* frameNames[4] = {"linCT", "linCB", "linCL", "linCR"};
    const QColor frameColours[4] = {QColor(0xE0, 0xE0, 0xE0), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF),
                                    QColor(0x40, 0x40, 0x40)};
    for (int i = 0; i < 4; ++i) boxFrame_[static_cast<size_t>(i)] = new LineWidget(frameNames[i], frameColours[i], this);

    // "Tx Enable", with the line that leads on to "Low Power Only".
    pictCCC2_ = new QWidget(pictCC_);
    pictCCC2_->setObjectName("pictCCC2");
    auto* txRow = new QHBoxLayout(pictCCC2_);
    txRow->setContentsMargins(0, 0, 0, 0);
    chkCTXEnable_ = MakeCheckBox("chkCTXEnable", "Tx Enable", pictCCC2_);
    linCTXOnly_ = new LineWidget("linCTXOnly", ActiveLineColour(this), pictCCC2_);
    linCTXOnly_->setFixedHeight(1);
    txRow->addWidget(chkCTXEnable_);
    txRow->addWidget(linCTXOnly_, 1, Qt::AlignVCenter);

    // "Low Power Only" and, below it, "Power Up".
    pictCCC1_ = new QWidget(pictCC_);
    pictCCC1_->setObjectName("pictCCC1");
    auto* power = new QGridLayout(pictCCC1_);
    power->setContentsMargins(0, 0, 0, 0);
    power->setHorizontalSpacing(2);
    chkCTXOnly_ = MakeCheckBox("chkCTXOnly", "Low Power Only", pictCCC1_);
    chkCTXPower_ = MakeCheckBox("chkCTXPower", "Power Up", pictCCC1_);
    linCTXPower_ = new LineWidget("linCTXPower", ActiveLineColour(this), pictCCC1_);
    linCTXPower_->setFixedSize(kConnectorStubPixels, 1);
    power->addWidget(chkCTXOnly_, 0, 0, 1, 3);
    power->setColumnMinimumWidth(0, kConnectorStubPixels / 2);
    power->addWidget(linCTXPower_, 1, 1, Qt::AlignVCenter);
    power->addWidget(chkCTXPower_, 1, 2);

    pictCCC3_ = new QWidget(pictCC_);
    pictCCC3_->setObjectName("pictCCC3");
    auto* dupRow = new QHBoxLayout(pictCCC3_);
    dupRow->setContentsMargins(0, 0, 0, 0);
    chkCDup_ = MakeCheckBox("chkCDup", "Duplex", pictCCC3_);
    dupRow->addWidget(chkCDup_);

    pictCCC5_ = new QWidget(pictCC_);
    pictCCC5_->setObjectName("pictCCC5");
    chkCScan_ = MakeCheckBox("chkCScan", "Scan Memory", pictCCC5_);
}

void ChannelEditorPanel::SetTabOrder() {
    const QWidget* order[] = {chkCEnable_, txtCN_[0],    txtCN_[1],    rx_.edit, tx_.edit,
                              chkCTXEnable_, chkCTXOnly_, chkCTXPower_, chkCDup_, chkCScan_};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
}

void ChannelEditorPanel::ConnectHandlers() {
    connect(chkCEnable_, &QCheckBox::toggled, this, [this] { OnEnableClicked(false); });
    connect(chkCTXEnable_, &QCheckBox::toggled, this, [this] { OnTxEnableClicked(); });
    connect(chkCTXOnly_, &QCheckBox::toggled, this, [this] { OnLowPowerClicked(); });
    connect(chkCTXPower_, &QCheckBox::toggled, this, [this] { OnPowerUpClicked(); });
    connect(chkCScan_, &QCheckBox::toggled, this, [this] { OnScanClicked(); });
    connect(chkCDup_, &QCheckBox::toggled, this, [this] { OnDuplexClicked(); });
    for (QCheckBox* box : {chkCEnable_, chkCScan_, chkCDup_, chkCTXEnable_, chkCTXOnly_, chkCTXPower_})
        FocusWatcher::Watch(box)->gotFocus = [this] { context_.Hint(texts::kCheckBoxHint); };
    WatchDisplayBox(0);
    WatchDisplayBox(1);
    WatchFrequencyBox(rx_);
    WatchFrequencyBox(tx_);
}

void ChannelEditorPanel::WatchDisplayBox(int element) {
    QLineEdit* box = txtCN_[static_cast<size_t>(element)];
    KeyFilter::Install(box, [element](char32_t key, const QLineEdit& edit) {
        return DisplayKeyAllowed(key, element == 0 && edit.text().isEmpty());
    });
    FocusWatcher* watcher = FocusWatcher::Watch(box);
    watcher->gotFocus = [this, box, element] {
        if (!box->isReadOnly()) SelectAllSoon(box);
        context_.Hint(element == 0 ? texts::kDisplayLeftHint : texts::kDisplayRightHint);
    };
    // What was typed counts once the box is left or Enter is pressed.
    watcher->lostFocus = [this](QWidget*) { CommitDisplay(); };
    connect(box, &QLineEdit::returnPressed, this, [this] { CommitDisplay(); });
    connect(box, &QLineEdit::textChanged, this, [this, element] { OnDisplayChanged(element); });
}

void ChannelEditorPanel::WatchFrequencyBox(FrequencyBox& box) {
    KeyFilter::Install(box.edit, [](char32_t key, const QLineEdit&) { return FrequencyKeyAllowed(key); }, FrequencyKeyTyped);
    FocusWatcher* watcher = FocusWatcher::Watch(box.edit);
    watcher->gotFocus = [this, &box] {
        if (box.edit->isReadOnly()) return;
        SelectAllSoon(box.edit);
        // An entry refused earlier stays due for its check; otherwise a
        // new entry starts here.
        context_.Hint(box.title);
    };
    watcher->lostFocus = [this, &box](QWidget* to) { FrequencyLostFocus(box, to); };
    connect(box.edit, &QLineEdit::textChanged, this, [this, &box] {
        if (context_.Filling() || !OwnEnabled(this) || box.edit->isReadOnly()) return;
        box.modified = true;
    });
}

// ---- arrangement ---------------------------------------------------------------

void ChannelEditorPanel::SetEditable(QLineEdit* box, bool editable) {
    box->setReadOnly(!editable);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, editable ? QApplication::palette().color(QPalette::Base)
                                          : QApplication::palette().color(QPalette::Button));
    box->setPalette(pal);
}

void ChannelEditorPanel::Arrange(bool expChannel) {
    expArrangement_ = expChannel;
    for (QLineEdit* box : {txtCN_[0], txtCN_[1], rx_.edit, tx_.edit}) SetEditable(box, expChannel);
    ArrangeChannelBox();
}

void ChannelEditorPanel::ArrangeChannelBox() {
    const double tpp = twipsPerPixel_;
    const int margin = layout::ToPixels(200, tpp);
    const QSize ccc1 = pictCCC1_->sizeHint(), ccc2 = pictCCC2_->layout()->minimumSize(),
                ccc3 = pictCCC3_->sizeHint(), ccc5 = chkCScan_->sizeHint();
    const int rowGap = 6;
    const int ccc3Top = margin + std::max(ccc1.height(), ccc2.height()) + rowGap;
    const layout::ChannelBoxArrangement a = layout::ArrangeChannelBox(
        expArrangement_, layout::ToTwips(margin, tpp), layout::ToTwips(ccc3Top, tpp),
        layout::ToTwips(ccc3.height() + rowGap, tpp));
    // A large font may need more room than the design left for "Tx Enable".
    int ccc1Left = layout::ToPixels(a.ccc1Left, tpp);
    if (!expArrangement_) ccc1Left = std::max(ccc1Left, margin + ccc2.width() + kConnectorStubPixels);

    pictCCC2_->setVisible(a.ccc2Visible);
    pictCCC3_->setVisible(a.ccc3Visible);
    pictCCC2_->setGeometry(margin, margin, std::max(ccc2.width(), ccc1Left - margin), ccc2.height());
    pictCCC1_->setGeometry(ccc1Left, margin, ccc1.width(), ccc1.height());
    pictCCC3_->setGeometry(margin, ccc3Top, ccc3.width(), ccc3.height());
    pictCCC5_->setGeometry(margin, layout::ToPixels(a.ccc5Top, tpp), ccc5.width(), ccc5.height());
    chkCScan_->setGeometry(0, layout::ToPixels(a.scanTop, tpp), ccc5.width(), ccc5.height());
}

void ChannelEditorPanel::PlaceChannelBox(const layout::Rect& box, double twipsPerPixel) {
    channelBox_ = box;
    twipsPerPixel_ = twipsPerPixel;
    const auto px = [twipsPerPixel](double twips) { return layout::ToPixels(twips, twipsPerPixel); };
    const double panelWidth = layout::ToTwips(width(), twipsPerPixel);
    const double headTop = 60;
    // A panel too small for the head clips it rather than squeezing its labels.
    const QSize least = head_->minimumSizeHint();
    head_->setGeometry(px(layout::kPanelInset), px(headTop),
                       std::max(least.width(), px(panelWidth - 2 * layout::kPanelInset)),
                       std::max(least.height(), px(box.top - headTop - 60)));
    pictCC_->setGeometry(px(box.left), px(box.top), px(box.width), px(box.height));
    const layout::FrameLines f = layout::FrameAround(box);
    const layout::Line lines[4] = {f.top, f.bottom, f.left, f.right};
    for (size_t i = 0; i < 4; ++i)
        boxFrame_[i]->Place(px(lines[i].x1), px(lines[i].y1), px(lines[i].x2), px(lines[i].y2));
    ArrangeChannelBox();
}

// ---- filling ---------------------------------------------------------------------

void ChannelEditorPanel::ClearFields() {
    FillingGuard filling(context_);
    for (QCheckBox* box : {chkCEnable_, chkCScan_, chkCDup_, chkCTXEnable_, chkCTXOnly_, chkCTXPower_})
        box->setChecked(false);
    for (QLineEdit* box : {txtCN_[0], txtCN_[1], rx_.edit, tx_.edit}) box->clear();
    rx_.modified = tx_.modified = displayModified_ = false;
    target_.reset();
}

void ChannelEditorPanel::ShowSelf() { context_.showPanel(this); }

void ChannelEditorPanel::Fill(const ChannelRecord& r) {
    FillingGuard filling(context_);
    const bool exp = EditingExp();
    if (exp) {
        txtCN_[0]->setText(QString::fromStdString(r.CHDisplayL.substr(0, 2)));
        txtCN_[1]->setText(QString::fromStdString(LastChars(r.CHDisplayR, 1)));
        rx_.edit->setText(QString::fromStdString(FormatSnappedFreq(r.Rxfreq)));
        tx_.edit->setText(QString::fromStdString(FormatSnappedFreq(r.Txfreq)));
        chkCTXEnable_->setChecked(r.TxEnable);
    } else {
        const BaseChannel& b = BaseChannels()[static_cast<size_t>(r.Position)];
        const DisplayPair display = RegularChannelDisplay(b.name);
        txtCN_[0]->setText(QString::fromStdString(display.left));
        txtCN_[1]->setText(QString::fromStdString(display.right));
        rx_.edit->setText(QString::fromStdString(FormatFreq(ReceiveFrequencyInUse(b, r.Duplex))));
        tx_.edit->setText(QString::fromStdString(FormatTxFreq(b.tx, r.RxOnly)));
        chkCTXEnable_->setChecked(r.TxEnable && !r.RxOnly);
        chkCDup_->setChecked(r.Duplex);
        chkCDup_->setEnabled(r.DuplexAllowed);
    }
    chkCEnable_->setChecked(r.Enable);
    chkCTXOnly_->setChecked(r.LowPower);
    chkCTXPower_->setChecked(r.PowUp);
    chkCScan_->setChecked(r.ScanMemory);
    rx_.modified = tx_.modified = displayModified_ = false;
}

void ChannelEditorPanel::LoadChannelEditor(int plan, int slot) {
    if (plan < 0 || plan >= kPlanCount || slot < 0 || slot >= kPlanSlots) return;
    const ChannelRef ref = PlanChannel(plan, slot);
    const ChannelRecord* r = FindRecord(context_.Data(), ref);
    if (!r || r->Position < 0 || r->Position >= kPlanSlots) return;
    // A receive-only channel shown in the editor never keeps its transmit switch.
    context_.Session().SettleShownChannel(ref);
    target_ = ref;
    Arrange(false);
    Fill(*Record());
    ShowSelf();
    OnEnableClicked(true);
    if (Record()->RxOnly) chkCTXEnable_->setEnabled(false);
}

void ChannelEditorPanel::LoadExpEditor(const QString& key) {
    const int n = KeyNumber(key.toStdString(), 2);
    if (n < 1 || n > kExpChannels) return;
    context_.Session().SnapExpFrequencies();
    target_ = ChannelRef{Area::EXP, n};
    Arrange(true);
    Fill(*Record());
    ShowSelf();
    OnEnableClicked(true);
}

void ChannelEditorPanel::Refresh() {
    const ChannelRecord* record = Record();
    if (!record) return;
    Fill(*record);
    OnEnableClicked(true);
    if (!EditingExp() && record->RxOnly) chkCTXEnable_->setEnabled(false);
}

const ChannelRecord* ChannelEditorPanel::Record() const {
    return target_ ? FindRecord(context_.Data(), *target_) : nullptr;
}

QString ChannelEditorPanel::TargetKey() const {
    if (!target_) return {};
    if (EditingExp()) return QString::fromStdString(ExpKey(target_->index));
    return QString::fromStdString(ChannelKey(PlanOf(target_->area), target_->index));
}

void ChannelEditorPanel::Reload() {
    if (!target_) return;
    if (EditingExp())
        LoadExpEditor(TargetKey());
    else
        LoadChannelEditor(PlanOf(target_->area), target_->index);
}

// ---- check boxes -------------------------------------------------------------------

bool ChannelEditorPanel::StoreDue() const { return !loading_ && target_ && OwnEnabled(this); }

void ChannelEditorPanel::Store(ChannelFlag flag, bool on) {
    if (!StoreDue()) return;
    const ChannelRecord* record = Record();
    if (!record || FlagValue(*record, flag) == on || !HasFlag(target_->area, flag)) return;
    context_.Accepted(context_.Session().SetChannelFlag(*target_, flag, on));
}

void ChannelEditorPanel::OnEnableClicked(bool byLoader) {
    if (context_.Filling()) return;
    const bool on = chkCEnable_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(lblCPosition_), static_cast<QWidget*>(txtCN_[0]),
                       static_cast<QWidget*>(txtCN_[1]), static_cast<QWidget*>(lblCRF_),
                       static_cast<QWidget*>(lblCTF_), static_cast<QWidget*>(rx_.edit), static_cast<QWidget*>(tx_.edit),
                       static_cast<QWidget*>(lblCUnit_[0]), static_cast<QWidget*>(lblCUnit_[1]),
                       static_cast<QWidget*>(chkCTXEnable_)})
        w->setEnabled(on);
    if (!on) chkCDup_->setEnabled(false);  // ticking again does not bring it back
    chkCScan_->setEnabled(on);
    {
        const bool wasLoading = loading_;
        loading_ = loading_ || byLoader;
        OnTxEnableClicked();
        loading_ = wasLoading;
    }
    if (byLoader || context_.treeHasFocus()) return;
    if (!StoreDue()) return;
    const ChannelRecord* record = Record();
    if (!record || record->Enable == on) return;
    // "Duplex" stays as the box left it until the editor is loaded from the tree again.
    const bool duplexUsable = chkCDup_->isEnabledTo(this);
    // An EXP channel is enabled first and then given its frequency and number;
    // leaving the editor checks that it has them.
    if (!context_.Accepted(context_.Session().SetChannelFlag(*target_, ChannelFlag::Enable, on, Completion::Later))) return;
    Reload();
    if (!duplexUsable) chkCDup_->setEnabled(false);
    chkCEnable_->setFocus(Qt::OtherFocusReason);
}

void ChannelEditorPanel::OnTxEnableClicked() {
    if (context_.Filling()) return;
    const bool usable = chkCTXEnable_->isChecked() && chkCTXEnable_->isEnabledTo(this);
    chkCTXOnly_->setEnabled(usable);
    linCTXOnly_->SetColour(usable ? ActiveLineColour(this) : InactiveLineColour(this));
    OnLowPowerClicked();
}

void ChannelEditorPanel::OnLowPowerClicked() {
    if (context_.Filling()) return;
    const bool usable = chkCTXOnly_->isChecked() && chkCTXOnly_->isEnabledTo(this);
    chkCTXPower_->setEnabled(usable);
    linCTXPower_->SetColour(usable ? ActiveLineColour(this) : InactiveLineColour(this));
    if (!EditingExp()) Store(ChannelFlag::TxEnable, chkCTXEnable_->isChecked());
    Store(ChannelFlag::LowPower, chkCTXOnly_->isChecked());
}

void ChannelEditorPanel::OnPowerUpClicked() {
    if (context_.Filling()) return;
    Store(ChannelFlag::PowerUp, chkCTXPower_->isChecked());
}

void ChannelEditorPanel::OnScanClicked() {
    if (context_.Filling()) return;
    Store(ChannelFlag::Scan, chkCScan_->isChecked());
}

void ChannelEditorPanel::OnDuplexClicked() {
    if (context_.Filling()) return;
    const bool on = chkCDup_->isChecked();
    Store(ChannelFlag::Duplex, on);
    const ChannelRecord* record = Record();
    if (!record || EditingExp() || !OwnEnabled(this) || record->Position < 0 || record->Position >= kPlanSlots) return;
    const BaseChannel& b = BaseChannels()[static_cast<size_t>(record->Position)];
    rx_.edit->setText(QString::fromStdString(FormatFreq(ReceiveFrequencyInUse(b, on))));
}

// ---- display characters ----------------------------------------------------------

void ChannelEditorPanel::OnDisplayChanged(int element) {
    if (context_.Filling() || !OwnEnabled(this) || !EditingExp()) return;
    QLineEdit* box = txtCN_[static_cast<size_t>(element)];
    // Pasted text keeps only what the radio can show.
    const std::string typed = box->text().toStdString();
    std::string kept;
    for (char c : typed)
        if (DisplayKeyAllowed(static_cast<unsigned char>(c), element == 0 && kept.empty()) && c != '\b') kept += c;
    if (kept != typed) {
        box->setText(QString::fromStdString(kept));  // comes back here with the kept text
        return;
    }
    displayModified_ = true;
}

bool ChannelEditorPanel::CommitDisplay() {
    if (!displayModified_ || context_.Filling() || !EditingExp()) return true;
    displayModified_ = false;
    return context_.Accepted(context_.Session().SetExpDisplay(target_->index, txtCN_[0]->text().toStdString(),
                                                             txtCN_[1]->text().toStdString()));
}

// ---- frequencies -----------------------------------------------------------------

bool ChannelEditorPanel::FrequencyCheckDue(const FrequencyBox& box) const {
    return !context_.Filling() && OwnEnabled(this) && !box.edit->isReadOnly() && EditingExp() && box.modified;
}

bool ChannelEditorPanel::CheckFrequency(FrequencyBox& box) {
    if (!EditingExp() || !CheckExpFrequency(box.edit->text().toStdString())) return false;
    if (context_.Session().SetExpFrequency(target_->index, box.rx, box.edit->text().toStdString())) return false;
    const ChannelRecord* record = Record();
    FillingGuard filling(context_);
    box.edit->setText(QString::fromStdString(FormatSnappedFreq(box.rx ? record->Rxfreq : record->Txfreq)));
    return true;
}

bool ChannelEditorPanel::ValidateFrequency(FrequencyBox& box) {
    if (!FrequencyCheckDue(box)) return true;
    if (CheckFrequency(box)) {
        box.modified = false;
        return true;
    }
    const Refusal refusal = FrequencyRefusal(box.rx);
    context_.Message(refusal.Shown(), refusal.title, Icon::Warning);
    KeepFocus(box.edit);
    return false;
}

void ChannelEditorPanel::FrequencyLostFocus(FrequencyBox& box, QWidget* to) {
    if (context_.isTree(to)) {
        // Going to the tree: a good entry is taken at once; a bad one waits,
        // untouched, for the check that leaving the screen runs.
        if (FrequencyCheckDue(box) && CheckFrequency(box)) box.modified = false;
        return;
    }
    if (!to || !box.edit->isEnabled() || !box.edit->isVisible()) {
        // Taken away by the program: a bad entry stays in the box, unstored.
        if (FrequencyCheckDue(box)) CheckFrequency(box);
        box.modified = false;
        return;
    }
    ValidateFrequency(box);
}

bool ChannelEditorPanel::HasPendingInput() const {
    return OwnEnabled(this) && (displayModified_ || rx_.modified || tx_.modified);
}

bool ChannelEditorPanel::CommitPendingInput(bool leaving) {
    if (!OwnEnabled(this)) return true;
    if (!CommitDisplay()) return false;
    const QWidget* focus = window()->focusWidget();
    for (FrequencyBox* box : {&rx_, &tx_})
        if ((focus == box->edit || box->modified) && !ValidateFrequency(*box)) return false;
    const ChannelRecord* record = Record();
    if (leaving && EditingExp() && record && IsIncompleteExpChannel(*record)) {
        context_.Message(std::string(texts::kIncompleteChannel) + "\n" + kIncompleteExpRule, context_.MessageTitle(),
                         Icon::Warning);
        QWidget* missing = !(record->Rxfreq > 0) ? static_cast<QWidget*>(rx_.edit) : static_cast<QWidget*>(txtCN_[0]);
        if (missing->isEnabled()) missing->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

}  // namespace rp770::ui
