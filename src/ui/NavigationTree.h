#pragma once
// The tree of setting screens. Nodes carry their keys; they are numbered
// from 1 in the order they were added, as the editor counts them.

#include <QTreeWidget>
#include <vector>

#include "presentation/TreeNodes.h"

namespace rp770::ui {

class NavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kKeyRole = Qt::UserRole + 1;

    explicit NavigationTree(QWidget* parent);

    // Clears and adds the nodes; no signal is raised.
    void Build(const std::vector<presentation::TreeNodeInfo>& nodes);

    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    QTreeWidgetItem* Node(int index) const;  // 1-based; null when out of range
    int IndexOf(const QTreeWidgetItem* item) const;  // 1-based; 0 when not a node
    static QString KeyOf(const QTreeWidgetItem* item);
    // The first node, in index order, whose key is exactly this one.
    QTreeWidgetItem* FindByKey(const QString& key) const;
    QTreeWidgetItem* SelectedNode() const { return currentItem(); }
    // The width (pixels) in which the top-level nodes read whole.
    int TopLevelWidth() const;

    // Selects a node without raising nodeClicked; `reveal` scrolls to it,
    // expanding its branch when needed.
    void SelectQuietly(QTreeWidgetItem* item, bool reveal = true);

signals:
    // The user (or program code) moved the selection to another node.
    void nodeClicked(QTreeWidgetItem* item);
    // A click on a node, also on the node already selected.
    void nodeClickedAgain(QTreeWidgetItem* item);
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    std::vector<QTreeWidgetItem*> nodes_;
    bool quiet_ = false;
};

}  // namespace rp770::ui
