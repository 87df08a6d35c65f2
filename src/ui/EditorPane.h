#pragma once
// The editing area of the main window: the navigation tree on the left, a
// movable splitter, and on the right the data area in which the setting
// panels lie on top of each other. Exactly one panel is enabled and in front
// at a time: the current panel.
//
// The panels show the editing session and change it only through its
// edits. The window around the area gives it the session and its services
// (message boxes, status bar hint), tells it the model's optional panels
// once at start, passes on the session's notices (AfterEdit, AfterRestore)
// and calls the operations below; the area lays itself out whenever it is
// resized, from the metrics the window provides.

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "ui/EditorContext.h"
#include "ui/PresentationNames.h"

class QTreeWidgetItem;

namespace rp770::ui {

class ChannelEditorPanel;
class ChannelListPanel;
class CommonSetupPanel;
class EditorContext;
class GeneralPanel;
class LineWidget;
class NavigationTree;
class WeatherPanel;

class EditorPane : public QWidget {
    Q_OBJECT
public:
    EditorPane(Workspace& workspace, EditorServices services, QWidget* parent = nullptr);
    ~EditorPane() override;

    // The panels' shared state; FillingGuard(Context()) sets `FillingPanels`
    // around work of the window's own.
    EditorContext& Context() { return *context_; }
    int ShownNodeIndex() const { return shownIndex_; }

    // Shows the ATIS part of the common setup only when the model has "atis",
    // the weather alert only when it has "wa". Called once, at start.
    void SetOptionalPanelsVisible(const ModelFlags& flags);

    // Re-initialisation, the editing area's part. PreparePanels clears and
    // prepares every panel (first USA list fill included) and disables them
    // all; ShowGeneralAfterReset builds the tree, selects "General", forgets
    // the shown node and empties the hint. ReinitialisePanels runs both, with
    // `between` (the destination scan) in the middle.
    void PreparePanels();
    void ShowGeneralAfterReset();
    void ReinitialisePanels(const std::function<void()>& between = {});

    void BuildTree();
    void ShowNodePanel(QTreeWidgetItem* node);
    // Selects the first node whose key is exactly `key` (case counts) and
    // handles it as a node click. False when no node has the key.
    bool SelectNodeByKey(const QString& key);
    void ReshowSelectedNode();
    void DisableAllPanels();
    // True when the current panel holds no refused input and the caller may
    // leave it or use the data; otherwise the refusing box has been shown.
    // `leaving` false: the data are about to be replaced (undo, redo), so an
    // incomplete EXP channel does not stop it.
    bool CommitPendingInput(bool leaving = true);
    // Input not finished: typed text that is not in the data yet, or a
    // channel the user made incomplete in the editor.
    bool HasPendingInput() const;

    // The session's notices. After an edit the tree's texts (and, when the
    // usable groups changed, its branches) and the shown list follow; after an undo or a redo
    // the tree and the shown screen show the restored data, the focus
    // staying where it was.
    void AfterEdit();
    void AfterRestore();

    // Layout. The metrics are the window's (twips); without a provider the
    // area takes its own size as the window's. The area is assumed to sit
    // right below the toolbar.
    void SetWindowMetricsProvider(std::function<layout::WindowMetrics()> provider);
    void LayoutAfterResize();
    void LayoutAfterResize(const layout::WindowMetrics& window);
    void LayoutAfterSplitterDrag(double treeWidth);
    const layout::EditorLayout& CurrentLayout() const { return layout_; }
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    // Shows "QJ Logo.gif" from the program folder on the general page.
    bool LoadLogo();

    NavigationTree* Tree() const { return tree_; }
    GeneralPanel* General() const { return general_; }
    QWidget* GreyPanel() const { return grey_; }
    CommonSetupPanel* CommonSetup() const { return common_; }
    ChannelListPanel* ChannelList() const { return list_; }
    ChannelEditorPanel* ChannelEditor() const { return editor_; }
    WeatherPanel* Weather() const { return weather_; }
    QWidget* DataArea() const { return data_; }
    QWidget* CurrentPanel() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void RefreshTreeTexts();
    void InstallServices();
    void ShowPanel(QWidget* panel);
    void OnNodeClick(QTreeWidgetItem* node);
    void OnNodeClickAgain();
    void ReturnToShownNode();
    void OpenCurrentGridRow();
    layout::WindowMetrics Metrics() const;
    void ApplyLayout(const layout::EditorLayout& l);
    void PlaceLogo();
    QRect ToPixels(const layout::Rect& r, double yOffset) const;
    void PlaceFrame(const std::array<LineWidget*, 4>& lines, const layout::FrameLines& f, double yOffset);

    std::unique_ptr<EditorContext> context_;
    NavigationTree* tree_ = nullptr;
    QWidget* handle_ = nullptr;    // imgSplitter
    QWidget* bar_ = nullptr;       // picSplitter
    QWidget* data_ = nullptr;      // pictData
    std::array<LineWidget*, 4> dataFrame_{};  // linT, linB, linL, linR
    GeneralPanel* general_ = nullptr;
    QWidget* grey_ = nullptr;
    CommonSetupPanel* common_ = nullptr;
    ChannelListPanel* list_ = nullptr;
    ChannelEditorPanel* editor_ = nullptr;
    WeatherPanel* weather_ = nullptr;

    int shownIndex_ = -1;
    std::function<layout::WindowMetrics()> metrics_;
    layout::EditorLayout layout_;
    bool dragging_ = false;
    double barLeft_ = 0;
};

}  // namespace rp770::ui
