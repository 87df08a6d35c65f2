#include "ui/ChannelEditorPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "presentation/InputRules.h"
#include "presentation/ScreenMessages.h"
#include "ui/AccessibleNames.h"
#include "ui/EditorContext.h"
#include "ui/FocusWatcher.h"
#include "ui/KeyFilter.h"
#include "ui/LineWidget.h"
#include "workspace/Edits.h"

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
    connect(chkCEnable_, &QCheckBox::toggled, this, [this] { OnEnableClicked(); });
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
    KeyFilter::Install(box.edit, [](char32_t key, const QLineEdit&) { return presentation::FrequencyKeyAllowed(key); },
                       presentation::FrequencyKeyTyped);
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
    screen_.Clear();
}

void ChannelEditorPanel::ShowSelf() { context_.showPanel(this); }

std::optional<presentation::ChannelEditorView> ChannelEditorPanel::View() const { return screen_.View(context_.Data()); }

void ChannelEditorPanel::ShowTexts(const presentation::ChannelEditorView& view) {
    FillingGuard filling(context_);
    txtCN_[0]->setText(QString::fromStdString(view.displayLeft.text));
    txtCN_[1]->setText(QString::fromStdString(view.displayRight.text));
    rx_.edit->setText(QString::fromStdString(view.rx.text));
    tx_.edit->setText(QString::fromStdString(view.tx.text));
    rx_.modified = tx_.modified = displayModified_ = false;
}

void ChannelEditorPanel::ShowSwitches() {
    const auto view = View();
    if (!view) return;
    FillingGuard filling(context_);
    const std::pair<QCheckBox*, const presentation::SwitchView*> switches[] = {
        {chkCEnable_, &view->enable},     {chkCScan_, &view->scan},        {chkCDup_, &view->duplex},
        {chkCTXEnable_, &view->txEnable}, {chkCTXOnly_, &view->lowPower}, {chkCTXPower_, &view->powerUp}};
    for (const auto& [box, state] : switches) {
        box->setChecked(state->checked);
        box->setEnabled(state->enabled);
    }
    // Each label is usable while its box is.
    const std::pair<QWidget*, bool> texts[] = {
        {lblCPosition_, view->displayLeft.enabled}, {txtCN_[0], view->displayLeft.enabled},
        {txtCN_[1], view->displayRight.enabled},    {lblCRF_, view->rx.enabled},
        {rx_.edit, view->rx.enabled},               {lblCUnit_[0], view->rx.enabled},
        {lblCTF_, view->tx.enabled},                {tx_.edit, view->tx.enabled},
        {lblCUnit_[1], view->tx.enabled}};
    for (const auto& [widget, enabled] : texts) widget->setEnabled(enabled);
    // The lines lead to "Low Power Only" and "Power Up": coloured as usable or not.
    linCTXOnly_->SetColour(view->lowPower.enabled ? ActiveLineColour(this) : InactiveLineColour(this));
    linCTXPower_->SetColour(view->powerUp.enabled ? ActiveLineColour(this) : InactiveLineColour(this));
}

void ChannelEditorPanel::Load(ChannelRef channel) {
    screen_.Load(channel);
    const auto view = View();
    Arrange(view->exp);
    ShowTexts(*view);
    ShowSwitches();
    ShowSelf();
}

void ChannelEditorPanel::LoadChannelEditor(int plan, int slot) {
    if (plan < 0 || plan >= kPlanCount || slot < 0 || slot >= kPlanSlots) return;
    const ChannelRef ref = PlanChannel(plan, slot);
    presentation::ChannelEditorScreen editor;
    editor.Load(ref);
    if (!editor.View(context_.Data())) return;
    // A receive-only channel shown in the editor never keeps its transmit switch.
    context_.Session().SettleShownChannel(ref);
    Load(ref);
}

void ChannelEditorPanel::LoadExpEditor(int n) {
    if (n < 1 || n > kExpChannels) return;
    context_.Session().SnapExpFrequencies();
    Load({Area::EXP, n});
}

void ChannelEditorPanel::Refresh() {
    if (!screen_.Channel()) return;
    // As loaded anew, without the corrections of a load.
    screen_.Load(*screen_.Channel());
    const auto view = View();
    if (!view) return;
    ShowTexts(*view);
    ShowSwitches();
}

// ---- check boxes -------------------------------------------------------------------

bool ChannelEditorPanel::StoreDue() const { return !context_.Filling() && screen_.Channel() && OwnEnabled(this); }

void ChannelEditorPanel::Store(ChannelFlag flag, bool on) {
    if (context_.Filling()) return;
    if (StoreDue()) context_.Accepted(context_.Session().SetChannelFlag(*screen_.Channel(), flag, on));
    ShowSwitches();
}

void ChannelEditorPanel::OnEnableClicked() {
    if (context_.Filling()) return;
    // Only a click of the user's is an edit.
    bool taken = false;
    if (StoreDue() && !context_.treeHasFocus()) {
        const bool on = chkCEnable_->isChecked();
        // An EXP channel is enabled first and then given its frequency and number;
        // leaving the editor checks that it has them.
        taken = context_.Accepted(
            context_.Session().SetChannelFlag(*screen_.Channel(), ChannelFlag::Enable, on, Completion::Later));
        if (taken) screen_.EnableSwitched(on);
    }
    ShowSwitches();
    if (taken) chkCEnable_->setFocus(Qt::OtherFocusReason);
}

void ChannelEditorPanel::OnTxEnableClicked() { Store(ChannelFlag::TxEnable, chkCTXEnable_->isChecked()); }

void ChannelEditorPanel::OnLowPowerClicked() { Store(ChannelFlag::LowPower, chkCTXOnly_->isChecked()); }

void ChannelEditorPanel::OnPowerUpClicked() { Store(ChannelFlag::PowerUp, chkCTXPower_->isChecked()); }

void ChannelEditorPanel::OnScanClicked() { Store(ChannelFlag::Scan, chkCScan_->isChecked()); }

void ChannelEditorPanel::OnDuplexClicked() {
    if (context_.Filling()) return;
    Store(ChannelFlag::Duplex, chkCDup_->isChecked());
    // The receive frequency in use follows.
    const auto view = View();
    if (!view || view->exp) return;
    FillingGuard filling(context_);
    rx_.edit->setText(QString::fromStdString(view->rx.text));
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
    return context_.Accepted(context_.Session().SetExpDisplay(screen_.Channel()->index, txtCN_[0]->text().toStdString(),
                                                             txtCN_[1]->text().toStdString()));
}

// ---- frequencies -----------------------------------------------------------------

bool ChannelEditorPanel::FrequencyCheckDue(const FrequencyBox& box) const {
    return !context_.Filling() && OwnEnabled(this) && !box.edit->isReadOnly() && EditingExp() && box.modified;
}

bool ChannelEditorPanel::CheckFrequency(FrequencyBox& box) {
    if (!EditingExp() || !CheckExpFrequency(box.edit->text().toStdString())) return false;
    if (context_.Session().SetExpFrequency(screen_.Channel()->index, box.rx, box.edit->text().toStdString())) return false;
    // Shown as stored: on the raster.
    const auto view = View();
    FillingGuard filling(context_);
    if (view) box.edit->setText(QString::fromStdString(box.rx ? view->rx.text : view->tx.text));
    return true;
}

bool ChannelEditorPanel::ValidateFrequency(FrequencyBox& box) {
    if (!FrequencyCheckDue(box)) return true;
    if (CheckFrequency(box)) {
        box.modified = false;
        return true;
    }
    context_.Show(presentation::RefusalMessage(FrequencyRefusal(box.rx)));
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
    if (!leaving) return true;
    const auto incomplete = screen_.CheckBeforeLeaving(context_.Data(), context_.MessageTitle());
    if (!incomplete) return true;
    context_.Show(incomplete->message);
    QWidget* missing = Box(incomplete->missing);
    if (missing->isEnabled()) missing->setFocus(Qt::OtherFocusReason);
    return false;
}

QLineEdit* ChannelEditorPanel::Box(presentation::EditorBox box) const {
    switch (box) {
        case presentation::EditorBox::DisplayLeft: return txtCN_[0];
        case presentation::EditorBox::DisplayRight: return txtCN_[1];
        case presentation::EditorBox::Rx: return rx_.edit;
        case presentation::EditorBox::Tx: return tx_.edit;
    }
    return rx_.edit;
}

}  // namespace rp770::ui
