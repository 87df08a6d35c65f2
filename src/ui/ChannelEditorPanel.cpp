#include "ui/Tr.h"
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
#include "ui/FieldHelpTips.h"
#include "ui/FocusWatcher.h"
#include "ui/KeyFilter.h"
#include "ui/LineWidget.h"
#include "workspace/Edits.h"

namespace rp770::ui {

namespace {

constexpr int kConnectorStubPixels = 16;

QCheckBox* MakeCheckBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
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

ChannelEditorPanel::ChannelEditorPanel(EditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context), form_(context.Session()) {
    setObjectName("pictC");
    setAutoFillBackground(true);
    twipsPerPixel_ = layout::TwipsPerPixel(logicalDpiX());
    BuildControls();
    AttachHelp();
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

    chkCEnable_ = MakeCheckBox("chkCEnable", Tr(MessageId::ChEnable), head_);
    lblCPosition_ = MakeLabel("lblCPosition", Tr(MessageId::ChDisplay), head_);
    txtCN_[0] = MakeEdit("txtCN(0)", head_);
    txtCN_[1] = MakeEdit("txtCN(1)", head_);
    NameByLabel(lblCPosition_, txtCN_[0]);
    // The one label covers both display boxes: the right one is told apart.
    txtCN_[1]->setAccessibleName(Tr(MessageId::ChDisplayRight));
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
    display_ = display;
    lblCPosition_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);  // the boxes follow the label closely
    grid->addWidget(chkCEnable_, 0, 0, 1, 2);
    grid->addLayout(display, 0, 2, 1, 2, Qt::AlignLeft);
    grid->setColumnMinimumWidth(2, 0);

    lblCRF_ = MakeLabel("lblCRF", Tr(MessageId::RxFrequency), head_);
    lblCTF_ = MakeLabel("lblCTF", Tr(MessageId::TxFrequency), head_);
    rx_ = {MakeEdit("txtCRF", head_), texts::kRxFrequency.id, presentation::EditorBox::Rx};
    tx_ = {MakeEdit("txtCTF", head_), texts::kTxFrequency.id, presentation::EditorBox::Tx};
    NameByLabel(lblCRF_, rx_.edit);
    NameByLabel(lblCTF_, tx_.edit);
    lblCUnit_[0] = MakeLabel("lblCUnit(0)", Tr(MessageId::Megahertz), head_);
    lblCUnit_[1] = MakeLabel("lblCUnit(1)", Tr(MessageId::Megahertz), head_);
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
    grid->setRowStretch(4, 1);  // row 3: the display boxes, when they need a line of their own
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
    chkCTXEnable_ = MakeCheckBox("chkCTXEnable", Tr(MessageId::TxEnable), pictCCC2_);
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
    chkCTXOnly_ = MakeCheckBox("chkCTXOnly", Tr(MessageId::LowPowerOnly), pictCCC1_);
    chkCTXPower_ = MakeCheckBox("chkCTXPower", Tr(MessageId::PowerUp), pictCCC1_);
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
    chkCDup_ = MakeCheckBox("chkCDup", Tr(MessageId::Duplex), pictCCC3_);
    dupRow->addWidget(chkCDup_);

    pictCCC5_ = new QWidget(pictCC_);
    pictCCC5_->setObjectName("pictCCC5");
    chkCScan_ = MakeCheckBox("chkCScan", Tr(MessageId::ScanMemory), pictCCC5_);
}

void ChannelEditorPanel::AttachHelp() {
    using presentation::Field;
    AttachFieldHelp(context_, Field::ChEnable, {chkCEnable_});
    AttachFieldHelp(context_, Field::DisplayLeft, {lblCPosition_, txtCN_[0]});
    AttachFieldHelp(context_, Field::DisplayRight, {txtCN_[1]});
    AttachFieldHelp(context_, Field::RxFrequency, {lblCRF_, rx_.edit, lblCUnit_[0]});
    AttachFieldHelp(context_, Field::TxFrequency, {lblCTF_, tx_.edit, lblCUnit_[1]});
    AttachFieldHelp(context_, Field::TxEnable, {chkCTXEnable_});
    AttachFieldHelp(context_, Field::LowPowerOnly, {chkCTXOnly_});
    AttachFieldHelp(context_, Field::PowerUp, {chkCTXPower_});
    AttachFieldHelp(context_, Field::Duplex, {chkCDup_});
    AttachFieldHelp(context_, Field::ScanMemory, {chkCScan_});
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
        FocusWatcher::Watch(box)->gotFocus = [this] { context_.Hint(Tr(texts::kCheckBoxHint)); };
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
        context_.Hint(Tr(element == 0 ? texts::kDisplayLeftHint : texts::kDisplayRightHint));
    };
    // What was typed counts once the box is left or Enter is pressed.
    const auto which = element == 0 ? presentation::EditorBox::DisplayLeft : presentation::EditorBox::DisplayRight;
    watcher->lostFocus = [this, which](QWidget*) { Finish(which, presentation::FocusTo::Editor); };
    connect(box, &QLineEdit::returnPressed, this, [this, which] { Finish(which, presentation::FocusTo::Editor); });
    connect(box, &QLineEdit::textChanged, this, [this, element] { OnDisplayChanged(element); });
}

void ChannelEditorPanel::WatchFrequencyBox(FrequencyBox& box) {
    KeyFilter::Install(box.edit, [](char32_t key, const QLineEdit&) { return presentation::FrequencyKeyAllowed(key); },
                       presentation::FrequencyKeyTyped);
    FocusWatcher* watcher = FocusWatcher::Watch(box.edit);
    watcher->gotFocus = [this, &box] {
        if (box.edit->isReadOnly()) return;
        SelectAllSoon(box.edit);
        context_.Hint(Tr(box.title));
    };
    watcher->lostFocus = [this, &box](QWidget* to) { FrequencyLostFocus(box, to); };
    connect(box.edit, &QLineEdit::textChanged, this, [this, &box] { OnFrequencyChanged(box); });
    connect(box.edit, &QLineEdit::returnPressed, this,
            [this, &box] { Finish(box.box, presentation::FocusTo::Editor); });
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
    // A large font may need more room than the design left for "Tx Enable";
    // a long language may leave none for the power box beside it: it goes
    // below, indented as a dependent setting.
    int ccc1Left = layout::ToPixels(layout::kRegularPowerBoxLeft, tpp), ccc1Top = margin;
    if (!expArrangement_) ccc1Left = std::max(ccc1Left, margin + ccc2.width() + kConnectorStubPixels);
    const bool powerBelow = !expArrangement_ && ccc1Left + ccc1.width() > pictCC_->width() - margin / 2;
    if (powerBelow) {
        ccc1Left = margin + kConnectorStubPixels;
        ccc1Top = margin + ccc2.height() + rowGap;
    }
    const int ccc3Top = powerBelow ? ccc1Top + ccc1.height() + rowGap : margin + std::max(ccc1.height(), ccc2.height()) + rowGap;
    const layout::ChannelBoxArrangement a = layout::ArrangeChannelBox(
        expArrangement_, layout::ToTwips(margin, tpp), layout::ToTwips(ccc3Top, tpp),
        layout::ToTwips(ccc3.height() + rowGap, tpp));
    if (expArrangement_) ccc1Left = layout::ToPixels(a.ccc1Left, tpp);

    pictCCC2_->setVisible(a.ccc2Visible);
    pictCCC3_->setVisible(a.ccc3Visible);
    pictCCC2_->setGeometry(margin, margin, powerBelow ? ccc2.width() : std::max(ccc2.width(), ccc1Left - margin), ccc2.height());
    pictCCC1_->setGeometry(ccc1Left, ccc1Top, ccc1.width(), ccc1.height());
    pictCCC3_->setGeometry(margin, ccc3Top, ccc3.width(), ccc3.height());
    pictCCC5_->setGeometry(margin, layout::ToPixels(a.ccc5Top, tpp), ccc5.width(), ccc5.height());
    chkCScan_->setGeometry(0, layout::ToPixels(a.scanTop, tpp), ccc5.width(), ccc5.height());
}

void ChannelEditorPanel::PlaceDisplayBoxes(int room) {
    auto* grid = static_cast<QGridLayout*>(head_->layout());
    grid->removeItem(display_);
    grid->addLayout(display_, 0, 2, 1, 2, Qt::AlignLeft);
    if (head_->minimumSizeHint().width() <= room) return;
    grid->removeItem(display_);
    grid->addLayout(display_, 3, 0, 1, 4, Qt::AlignLeft);
}

void ChannelEditorPanel::PlaceChannelBox(const layout::Rect& designBox, double twipsPerPixel) {
    twipsPerPixel_ = twipsPerPixel;
    const auto px = [twipsPerPixel](double twips) { return layout::ToPixels(twips, twipsPerPixel); };
    const double panelWidth = layout::ToTwips(width(), twipsPerPixel);
    const double headTop = layout::kChannelHeadTop;
    const int room = px(panelWidth - 2 * layout::kPanelInset);
    PlaceDisplayBoxes(room);
    // A panel too small for the head clips it rather than squeezing its labels.
    const QSize least = head_->minimumSizeHint();
    const layout::Rect box = layout::ChannelBoxBelowHead(designBox, layout::ToTwips(least.height(), twipsPerPixel));
    channelBox_ = box;
    head_->setGeometry(px(layout::kPanelInset), px(headTop), std::max(least.width(), room),
                       std::max(least.height(), px(box.top - headTop - layout::kChannelHeadGap)));
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
    form_.Clear();
}

void ChannelEditorPanel::ShowSelf() { context_.showPanel(this); }

std::optional<presentation::ChannelEditorView> ChannelEditorPanel::View() const { return form_.View(); }

void ChannelEditorPanel::ShowTexts(const presentation::ChannelEditorView& view) {
    FillingGuard filling(context_);
    txtCN_[0]->setText(QString::fromStdString(view.displayLeft.text));
    txtCN_[1]->setText(QString::fromStdString(view.displayRight.text));
    rx_.edit->setText(QString::fromStdString(view.rx.text));
    tx_.edit->setText(QString::fromStdString(view.tx.text));
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

void ChannelEditorPanel::ShowLoaded() {
    const auto view = View();
    if (!view) return;
    Arrange(view->exp);
    ShowTexts(*view);
    ShowSwitches();
    ShowSelf();
}

void ChannelEditorPanel::LoadChannelEditor(int plan, int slot) {
    if (plan < 0 || plan >= kPlanCount || slot < 0 || slot >= kPlanSlots) return;
    if (form_.Load(PlanChannel(plan, slot))) ShowLoaded();
}

void ChannelEditorPanel::LoadExpEditor(int n) {
    if (n < 1 || n > kExpChannels) return;
    if (form_.Load({Area::EXP, n})) ShowLoaded();
}

void ChannelEditorPanel::Refresh() {
    if (!form_.Channel()) return;
    // As loaded anew, without the corrections of a load.
    form_.Reload();
    const auto view = View();
    if (!view) return;
    ShowTexts(*view);
    ShowSwitches();
}

// ---- check boxes -------------------------------------------------------------------

bool ChannelEditorPanel::StoreDue() const { return !context_.Filling() && form_.Channel() && OwnEnabled(this); }

void ChannelEditorPanel::Store(ChannelFlag flag, bool on) {
    if (context_.Filling()) return;
    if (StoreDue()) context_.Accepted(form_.SetSwitch(flag, on));
    ShowSwitches();
}

void ChannelEditorPanel::OnEnableClicked() {
    if (context_.Filling()) return;
    // Only a click of the user's is an edit.
    bool taken = false;
    if (StoreDue() && !context_.treeHasFocus()) {
        // An EXP channel is enabled first and then given its frequency and number;
        // leaving the editor checks that it has them.
        taken = context_.Accepted(form_.SetSwitch(ChannelFlag::Enable, chkCEnable_->isChecked()));
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

// ---- typed text -------------------------------------------------------------------

bool ChannelEditorPanel::TypingDue(const QLineEdit* box) const {
    return !context_.Filling() && OwnEnabled(this) && !box->isReadOnly() && EditingExp();
}

void ChannelEditorPanel::OnDisplayChanged(int element) {
    QLineEdit* box = txtCN_[static_cast<size_t>(element)];
    if (!TypingDue(box)) return;
    const QString typed = box->text();
    const QString kept = QString::fromStdString(form_.Type(
        element == 0 ? presentation::EditorBox::DisplayLeft : presentation::EditorBox::DisplayRight, typed.toStdString()));
    if (kept != typed) box->setText(kept);  // comes back here with the kept text
}

void ChannelEditorPanel::OnFrequencyChanged(const FrequencyBox& box) {
    if (TypingDue(box.edit)) form_.Type(box.box, box.edit->text().toStdString());
}

bool ChannelEditorPanel::Finish(presentation::EditorBox box, presentation::FocusTo to) {
    if (context_.Filling() || !OwnEnabled(this)) return true;
    const auto stop = form_.Finish(box, to);
    ShowFrequencies();
    if (!stop) return true;
    ShowStop(*stop);
    return false;
}

void ChannelEditorPanel::ShowFrequencies() {
    // A taken frequency is shown as stored: on the raster; a typed one as typed.
    const auto view = View();
    if (!view) return;
    FillingGuard filling(context_);
    for (const auto& [edit, text] : {std::pair{rx_.edit, &view->rx.text}, std::pair{tx_.edit, &view->tx.text}})
        if (edit->text().toStdString() != *text) edit->setText(QString::fromStdString(*text));
}

void ChannelEditorPanel::FrequencyLostFocus(const FrequencyBox& box, QWidget* to) {
    presentation::FocusTo where = presentation::FocusTo::Elsewhere;
    if (context_.isTree(to))
        where = presentation::FocusTo::Tree;
    else if (to && isAncestorOf(to) && box.edit->isEnabled() && box.edit->isVisible())
        where = presentation::FocusTo::Editor;
    Finish(box.box, where);
}

void ChannelEditorPanel::ShowStop(const presentation::FormStop& stop) {
    context_.Show(stop.message);
    QLineEdit* box = Box(stop.box);
    if (stop.entryRefused)
        KeepFocus(box);
    else if (box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
}

bool ChannelEditorPanel::HasPendingInput() const { return OwnEnabled(this) && form_.Unfinished(); }

bool ChannelEditorPanel::CommitPendingInput(bool leaving) {
    if (!OwnEnabled(this)) return true;
    const auto stop = form_.Commit(leaving);
    ShowFrequencies();
    if (!stop) return true;
    ShowStop(*stop);
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
