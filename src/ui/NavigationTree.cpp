#include "ui/NavigationTree.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <algorithm>
#include <map>

namespace rp770::ui {

NavigationTree::NavigationTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("tvTreeView");
    setColumnCount(1);
    setHeaderHidden(true);
    // Long node texts scroll sideways rather than being cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    // The selection stays plain to see when the tree loses the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);

    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (!quiet_ && current) emit nodeClicked(current);
    });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        if (!quiet_ && item) emit nodeClickedAgain(item);
    });
}

void NavigationTree::Build(const std::vector<presentation::TreeNodeInfo>& nodes) {
    quiet_ = true;
    clear();
    nodes_.clear();
    std::map<std::string, QTreeWidgetItem*> byKey;
    for (const presentation::TreeNodeInfo& info : nodes) {
        QTreeWidgetItem* item = nullptr;
        const auto parent = info.parentKey.empty() ? byKey.end() : byKey.find(info.parentKey);
        if (parent != byKey.end())
            item = new QTreeWidgetItem(parent->second);
        else
            item = new QTreeWidgetItem(this);
        item->setText(0, QString::fromStdString(info.text));
        item->setData(0, kKeyRole, QString::fromStdString(info.key));
        byKey.emplace(info.key, item);
        nodes_.push_back(item);
    }
    quiet_ = false;
}

QTreeWidgetItem* NavigationTree::Node(int index) const {
    if (index < 1 || index > NodeCount()) return nullptr;
    return nodes_[static_cast<size_t>(index - 1)];
}

int NavigationTree::IndexOf(const QTreeWidgetItem* item) const {
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i] == item) return static_cast<int>(i) + 1;
    return 0;
}

QString NavigationTree::KeyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toString() : QString();
}

QTreeWidgetItem* NavigationTree::FindByKey(const QString& key) const {
    for (QTreeWidgetItem* node : nodes_)
        if (KeyOf(node) == key) return node;
    return nullptr;
}

int NavigationTree::TopLevelWidth() const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    for (int i = 0; i < topLevelItemCount(); ++i)
        widest = std::max(widest, itemDelegate()->sizeHint(option, indexFromItem(topLevelItem(i))).width());
    return widest + (rootIsDecorated() ? indentation() : 0) + 2 * frameWidth();
}

void NavigationTree::SelectQuietly(QTreeWidgetItem* item, bool reveal) {
    quiet_ = true;
    const bool autoScrolling = hasAutoScroll();
    setAutoScroll(reveal);  // the view would otherwise scroll to the node, expanding its branch
    setCurrentItem(item);
    setAutoScroll(autoScrolling);
    if (item && reveal) scrollToItem(item);
    quiet_ = false;
}

void NavigationTree::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit gotFocus();
}

}  // namespace rp770::ui
