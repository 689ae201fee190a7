#pragma once

#include "search/IndustryTree.h"

class QTreeWidget;
class QTreeWidgetItem;

// The classification tree's nodes in the search screen's tree control.

// Replaces the tree's nodes, nothing expanded or selected. A node whose
// parent is not in the tree, or whose key is already used, is left out (with
// everything filed under it); returns how many nodes were left out.
int fillTree(QTreeWidget &tree, const QVector<TreeNodeSpec> &nodes);

// True for an industry's node (a sheet of paper), false for a category.
bool isIndustryItem(const QTreeWidgetItem *item);
