#include "search/IndustryTreeWidget.h"

#include "widgets/SearchIcons.h"

#include <QHash>
#include <QTreeWidget>
#include <QtDebug>

int fillTree(QTreeWidget &tree, const QVector<TreeNodeSpec> &nodes)
{
    tree.clear();
    const QIcon folder = categoryIcon();
    const QIcon paper = industryIcon();
    QHash<QString, QTreeWidgetItem *> byKey;
    int leftOut = 0;
    for (const TreeNodeSpec &node : nodes) {
        QTreeWidgetItem *parent = node.topLevel ? nullptr : byKey.value(node.parentKey);
        const bool orphan = !node.topLevel && parent == nullptr;
        // Reference data that breaks the tree's rules loses only the node concerned.
        if (orphan || byKey.contains(node.key)) {
            qWarning() << "Classification tree: left out node" << node.key << "under"
                       << node.parentKey;
            ++leftOut;
            continue;
        }
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
        item->setText(0, node.text);
        item->setIcon(0, node.picture == kLinedPaper ? paper : folder);
        item->setData(0, kTreePictureRole, node.picture);
        item->setData(0, kTreeKeyRole, node.key);
        byKey.insert(node.key, item);
    }
    return leftOut;
}

bool isIndustryItem(const QTreeWidgetItem *item)
{
    return item && item->data(0, kTreePictureRole).toInt() == kLinedPaper;
}
