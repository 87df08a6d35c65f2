#include "ui/EditorPane.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QTreeWidgetItem>

#include "presentation/TreeNodes.h"
#include "ui/ChannelEditorPanel.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelListPanel.h"
#include "ui/CommonSetupPanel.h"
#include "ui/EditorContext.h"
#include "ui/GeneralPanel.h"
#include "ui/LineWidget.h"
#include "ui/NavigationTree.h"
#include "ui/WeatherPanel.h"
#include "ui/Tr.h"

namespace rp770::ui {

EditorPane::EditorPane(Workspace& workspace, EditorServices services, QWidget* parent)
    : QWidget(parent), context_(std::make_unique<EditorContext>(workspace, std::move(services))) {
    setObjectName("EditorPane");
    BuildWidgets();
    InstallServices();
    SetOptionalPanelsVisible(context_->Data().flags);
    layout_ = layout::LayoutAfterResize(Metrics(), layout::TreeWidthForWindow(Metrics().width), {});
    ApplyLayout(layout_);
    DisableAllPanels();
}

EditorPane::~EditorPane() = default;


// ---- construction ------------------------------------------------------------------

void EditorPane::BuildWidgets() {
    tree_ = new NavigationTree(this);

    data_ = new QWidget(this);
    data_->setObjectName("pictData");
    data_->setAutoFillBackground(true);
    const char* frameNames[4] = {"linT", "linB", "linL", "linR"};
    const QColor frameColours[4] = {QColor(0xE0, 0xE0, 0xE0), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF),
                                    QColor(0x40, 0x40, 0x40)};
    for (size_t i = 0; i < 4; ++i) dataFrame_[i] = new LineWidget(frameNames[i], frameColours[i], this);

    general_ = new GeneralPanel(data_);
    grey_ = new QWidget(data_);
    grey_->setObjectName("pictGrey");
    grey_->setAutoFillBackground(true);
    QPalette greyPalette = grey_->palette();
    greyPalette.setColor(QPalette::Window, greyPalette.color(QPalette::Mid));
    grey_->setPalette(greyPalette);
    common_ = new CommonSetupPanel(*context_, data_);
    list_ = new ChannelListPanel(*context_, data_);
    editor_ = new ChannelEditorPanel(*context_, data_);
    weather_ = new WeatherPanel(*context_, data_);

    handle_ = new QWidget(this);
    handle_->setObjectName("imgSplitter");
    handle_->setCursor(Qt::SplitHCursor);
    handle_->installEventFilter(this);
    bar_ = new QWidget(this);
    bar_->setObjectName("picSplitter");
    bar_->setAutoFillBackground(true);
    QPalette barPalette = bar_->palette();
    barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Dark));
    bar_->setPalette(barPalette);
    bar_->hide();

    setTabOrder(tree_, data_);
}

void EditorPane::InstallServices() {
    EditorContext& c = *context_;
    c.showPanel = [this](QWidget* panel) { ShowPanel(panel); };
    c.isCurrentPanel = [](QWidget* panel) { return OwnEnabled(panel); };
    c.isTree = [this](const QWidget* w) { return w && (w == tree_ || tree_->isAncestorOf(w)); };
    c.treeHasFocus = [this] { return window()->focusWidget() == tree_; };

    connect(tree_, &NavigationTree::nodeClicked, this, [this](QTreeWidgetItem* node) { OnNodeClick(node); });
    connect(tree_, &NavigationTree::nodeClickedAgain, this, [this] { OnNodeClickAgain(); });
    connect(tree_, &NavigationTree::gotFocus, this, [this] { context_->Hint(Tr(texts::kTreeHint)); });
    connect(list_, &ChannelListPanel::openRequested, this, [this] { OpenCurrentGridRow(); });
}

void EditorPane::SetOptionalPanelsVisible(const ModelFlags& flags) { common_->SetOptionalPanelsVisible(flags.atis, flags.wa); }

// ---- re-initialisation ------------------------------------------------------------

void EditorPane::PreparePanels() {
    FillingGuard filling(*context_);
    common_->ClearAndPrepare();
    list_->FillChannelGrid(PlanUSA);
    editor_->ClearFields();
    weather_->ClearBoxes();
    DisableAllPanels();
}

void EditorPane::ShowGeneralAfterReset() {
    BuildTree();
    // Whatever was shown before, "General" is shown now: the prepared panels
    // are all disabled, and selecting the node that was shown would not
    // show it again.
    shownIndex_ = -1;
    SelectNodeByKey(presentation::kGeneralKey);
    shownIndex_ = -1;
    context_->Hint(QString());
    context_->Help(QString());
}

void EditorPane::ReinitialisePanels(const std::function<void()>& between) {
    PreparePanels();
    if (between) between();
    ShowGeneralAfterReset();
}

// ---- tree and panels --------------------------------------------------------------

void EditorPane::BuildTree() {
    // The user's view survives a rebuild: expanded branches and the
    // selected node, found again by key.
    QStringList expanded;
    for (int i = 1; i <= tree_->NodeCount(); ++i)
        if (tree_->Node(i)->isExpanded()) expanded << NavigationTree::KeyOf(tree_->Node(i));
    const QString selectedKey = NavigationTree::KeyOf(tree_->SelectedNode());
    const bool selectedWasShown = tree_->SelectedNode() && tree_->IndexOf(tree_->SelectedNode()) == shownIndex_;

    tree_->Build(presentation::MakeTreeNodes(context_->Data()));

    for (const QString& key : expanded)
        if (QTreeWidgetItem* node = tree_->FindByKey(key)) node->setExpanded(true);
    QTreeWidgetItem* again = selectedKey.isEmpty() ? nullptr : tree_->FindByKey(selectedKey);
    tree_->SelectQuietly(again, false);
    if (selectedWasShown) shownIndex_ = again ? tree_->IndexOf(again) : -1;
}

void EditorPane::DisableAllPanels() {
    for (QWidget* panel : {static_cast<QWidget*>(general_), static_cast<QWidget*>(common_), grey_,
                           static_cast<QWidget*>(list_), static_cast<QWidget*>(editor_), static_cast<QWidget*>(weather_)})
        panel->setEnabled(false);
}

void EditorPane::ShowPanel(QWidget* panel) {
    DisableAllPanels();
    panel->raise();
    panel->setEnabled(true);
}

QWidget* EditorPane::CurrentPanel() const {
    for (QWidget* panel : {static_cast<QWidget*>(general_), static_cast<QWidget*>(common_), grey_,
                           static_cast<QWidget*>(list_), static_cast<QWidget*>(editor_), static_cast<QWidget*>(weather_)})
        if (OwnEnabled(panel)) return panel;
    return nullptr;
}

void EditorPane::ShowNodePanel(QTreeWidgetItem* node) {
    if (!node || window()->isMinimized()) return;
    using presentation::ScreenKind;
    const presentation::NodeScreen screen = presentation::ScreenOfNode(
        NavigationTree::KeyOf(node).toStdString(), NavigationTree::KeyOf(node->parent()).toStdString());
    switch (screen.kind) {
        case ScreenKind::General: ShowPanel(general_); break;
        case ScreenKind::Grey: ShowPanel(grey_); break;
        case ScreenKind::Common:
            common_->Fill();
            ShowPanel(common_);
            break;
        case ScreenKind::ChannelList:
            if (IsPlan(screen.channel.area))
                list_->FillChannelGrid(PlanOf(screen.channel.area));
            else
                list_->FillExpGrid();
            ShowPanel(list_);
            break;
        case ScreenKind::Weather: weather_->FillWxPanel(); break;
        case ScreenKind::ChannelEditor:
            if (IsPlan(screen.channel.area))
                editor_->LoadChannelEditor(PlanOf(screen.channel.area), screen.channel.index);
            else
                editor_->LoadExpEditor(screen.channel.index);
            break;
        case ScreenKind::None: break;
    }
    context_->Hint(Tr(texts::kTreeHint));
}

bool EditorPane::SelectNodeByKey(const QString& key) {
    QTreeWidgetItem* node = tree_->FindByKey(key);
    if (!node) return false;
    tree_->SelectQuietly(node);
    OnNodeClick(node);
    return true;
}

void EditorPane::ReshowSelectedNode() {
    FillingGuard filling(*context_);
    QTreeWidgetItem* selected = tree_->SelectedNode();
    shownIndex_ = selected ? tree_->IndexOf(selected) : -1;
    ShowNodePanel(selected);
}

void EditorPane::OnNodeClick(QTreeWidgetItem* node) {
    context_->Hint(Tr(texts::kTreeHint));
    const int index = tree_->IndexOf(node);
    if (index == shownIndex_) return;
    if (CommitPendingInput()) {
        shownIndex_ = index;
        ShowNodePanel(node);
    } else {
        ReturnToShownNode();
    }
}

void EditorPane::OnNodeClickAgain() {
    context_->Hint(Tr(texts::kTreeHint));
    QTreeWidgetItem* selected = tree_->SelectedNode();
    const int index = tree_->IndexOf(selected);
    if (!selected || index == shownIndex_ || index < 1) return;
    shownIndex_ = index;
    ShowNodePanel(selected);
}

void EditorPane::ReturnToShownNode() {
    if (shownIndex_ < 1 || shownIndex_ > tree_->NodeCount()) return;
    tree_->SelectQuietly(tree_->Node(shownIndex_));
    // A mouse press goes on to select the node it hit once this returns: put
    // the selection back again after it.
    QTimer::singleShot(0, this, [this] {
        if (shownIndex_ >= 1 && shownIndex_ <= tree_->NodeCount()) tree_->SelectQuietly(tree_->Node(shownIndex_));
    });
}

bool EditorPane::CommitPendingInput(bool leaving) {
    if (!common_->CommitPendingInput()) return false;
    if (!list_->CommitPendingInput()) return false;
    if (OwnEnabled(editor_)) return editor_->CommitPendingInput(leaving);
    return true;
}

bool EditorPane::HasPendingInput() const {
    return common_->HasPendingInput() || list_->HasPendingInput() || editor_->HasPendingInput();
}

// ---- the session's notices -----------------------------------------------------------

void EditorPane::RefreshTreeTexts() {
    const std::vector<presentation::TreeNodeInfo> nodes = presentation::MakeTreeNodes(context_->Data());
    bool sameNodes = static_cast<int>(nodes.size()) == tree_->NodeCount();
    for (size_t i = 0; sameNodes && i < nodes.size(); ++i)
        sameNodes = NavigationTree::KeyOf(tree_->Node(static_cast<int>(i) + 1)) == QString::fromStdString(nodes[i].key);
    if (!sameNodes) {
        BuildTree();
        return;
    }
    for (size_t i = 0; i < nodes.size(); ++i) {
        QTreeWidgetItem* node = tree_->Node(static_cast<int>(i) + 1);
        const QString text = QString::fromStdString(nodes[i].text);
        if (node->text(0) != text) node->setText(0, text);
    }
}

void EditorPane::AfterEdit() {
    RefreshTreeTexts();
    // The list shows every change, one channel's included (Space, its menu).
    if (CurrentPanel() == list_) list_->Refresh();
    // The weather alert follows the weather channels, also while it is not shown.
    FillingGuard filling(*context_);
    common_->ShowWeatherAlert();
}

void EditorPane::AfterRestore() {
    const QPointer<QWidget> focus = window()->focusWidget();
    const bool focusHere = focus && isAncestorOf(focus);
    RefreshTreeTexts();
    QWidget* current = CurrentPanel();
    if (current == common_) {
        FillingGuard filling(*context_);
        common_->Fill();
    } else if (current == editor_) {
        editor_->Refresh();
    } else if (current == weather_) {
        weather_->Refresh();
    } else if (current == list_) {
        // The list of the shown node again: the plan's enabled channels may differ now.
        ShowNodePanel(tree_->SelectedNode());
    }
    if (!tree_->SelectedNode()) SelectNodeByKey(presentation::kGeneralKey);
    if (focusHere && focus && focus->isVisible() && focus->isEnabled()) focus->setFocus(Qt::OtherFocusReason);
}

void EditorPane::OpenCurrentGridRow() {
    const std::string target = presentation::RowNodeKey(NavigationTree::KeyOf(tree_->SelectedNode()).toStdString(),
                                                        list_->CurrentChannelName().toStdString(),
                                                        list_->CurrentRowNumber());
    if (!target.empty()) SelectNodeByKey(QString::fromStdString(target));
}

// ---- layout -------------------------------------------------------------------------

double EditorPane::TwipsPerPixelX() const { return layout::TwipsPerPixel(logicalDpiX()); }
double EditorPane::TwipsPerPixelY() const { return layout::TwipsPerPixel(logicalDpiY()); }

void EditorPane::SetWindowMetricsProvider(std::function<layout::WindowMetrics()> provider) {
    metrics_ = std::move(provider);
}

layout::WindowMetrics EditorPane::Metrics() const {
    if (metrics_) return metrics_();
    layout::WindowMetrics m;
    m.width = layout::ToTwips(width(), TwipsPerPixelX());
    m.innerHeight = layout::ToTwips(height(), TwipsPerPixelY());
    return m;
}

void EditorPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!window()->isMinimized()) LayoutAfterResize();
}

void EditorPane::LayoutAfterResize() { LayoutAfterResize(Metrics()); }

void EditorPane::LayoutAfterResize(const layout::WindowMetrics& window) {
    const QSize logo = general_->LogoSize();
    const layout::Size logoTwips{layout::ToTwips(logo.width(), TwipsPerPixelX()),
                                 layout::ToTwips(logo.height(), TwipsPerPixelY())};
    layout_ = layout::LayoutAfterResize(window, layout::TreeWidthForWindow(window.width), logoTwips,
                                        layout::ToTwips(tree_->TopLevelWidth(), TwipsPerPixelX()));
    ApplyLayout(layout_);
}

void EditorPane::LayoutAfterSplitterDrag(double treeWidth) {
    layout_ = layout::LayoutAfterDrag(Metrics(), treeWidth, layout_);
    ApplyLayout(layout_);
}

QRect EditorPane::ToPixels(const layout::Rect& r, double yOffset) const {
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const int left = layout::ToPixels(r.left, tx), top = layout::ToPixels(r.top - yOffset, ty);
    const int right = layout::ToPixels(r.left + r.width, tx), bottom = layout::ToPixels(r.top - yOffset + r.height, ty);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void EditorPane::PlaceFrame(const std::array<LineWidget*, 4>& lines, const layout::FrameLines& f, double yOffset) {
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const layout::Line edges[4] = {f.top, f.bottom, f.left, f.right};
    for (size_t i = 0; i < 4; ++i)
        lines[i]->Place(layout::ToPixels(edges[i].x1, tx), layout::ToPixels(edges[i].y1 - yOffset, ty),
                        layout::ToPixels(edges[i].x2, tx), layout::ToPixels(edges[i].y2 - yOffset, ty));
}

void EditorPane::ApplyLayout(const layout::EditorLayout& l) {
    const layout::WindowMetrics m = Metrics();
    const double yOffset = m.toolbarVisible ? m.toolbarHeight : 0;  // the area starts below the toolbar
    tree_->setGeometry(ToPixels(l.tree, yOffset));
    handle_->setGeometry(ToPixels(l.splitter, yOffset));
    data_->setGeometry(ToPixels(l.data, yOffset));
    PlaceFrame(dataFrame_, l.dataFrame, yOffset);

    const QRect panel = ToPixels(l.panel, 0);
    for (QWidget* p : {grey_, static_cast<QWidget*>(list_), static_cast<QWidget*>(editor_), static_cast<QWidget*>(weather_)})
        p->setGeometry(panel);
    if (l.placeGeneralAndCommon) {
        general_->setGeometry(panel);
        common_->setGeometry(panel);
        general_->Logo()->setGeometry(ToPixels(l.logo, 0));
    }
    list_->Grid()->setGeometry(ToPixels(l.grid, 0));
    editor_->PlaceChannelBox(l.channelBox, TwipsPerPixelX());
}

bool EditorPane::LoadLogo() {
    const bool loaded = general_->LoadLogo(context_->ProgramFolder());
    if (loaded) PlaceLogo();
    return loaded;
}

void EditorPane::PlaceLogo() {
    const QSize logo = general_->LogoSize();
    const double pageWidth = layout::ToTwips(general_->width(), TwipsPerPixelX());
    const double pageHeight = layout::ToTwips(general_->height(), TwipsPerPixelY());
    const double w = layout::ToTwips(logo.width(), TwipsPerPixelX()), h = layout::ToTwips(logo.height(), TwipsPerPixelY());
    layout_.logo = {(pageWidth - w) / 2, 0.8 * (pageHeight - h) / 2, w, h};
    general_->Logo()->setGeometry(ToPixels(layout_.logo, 0));
}

// ---- splitter drag --------------------------------------------------------------------

bool EditorPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched != handle_) return QWidget::eventFilter(watched, event);
    const double tx = TwipsPerPixelX();
    const layout::WindowMetrics m = Metrics();
    const double yOffset = m.toolbarVisible ? m.toolbarHeight : 0;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
            const layout::Rect start = layout::SplitterBarAtStart(layout_.splitter);
            barLeft_ = start.left;
            bar_->setGeometry(ToPixels(start, yOffset));
            bar_->raise();
            bar_->show();
            dragging_ = true;
            return true;
        }
        case QEvent::MouseMove: {
            if (!dragging_) break;
            const double mouseX = layout::ToTwips(static_cast<QMouseEvent*>(event)->position().toPoint().x(), tx);
            barLeft_ = layout::SplitterBarLeft(layout_.splitter, mouseX, m.width);
            bar_->move(layout::ToPixels(barLeft_, tx), bar_->y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (!dragging_) break;
            dragging_ = false;
            bar_->hide();
            LayoutAfterSplitterDrag(barLeft_);
            return true;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace rp770::ui
