#pragma once

#include <QIcon>
#include <QPixmap>

// The search screen's pictures, drawn in code: the tree's image list (a closed
// folder, an open folder, a sheet of lined paper) and the back button's arrow.

QPixmap closedFolderPixmap(int size);
QPixmap openFolderPixmap(int size);
QPixmap linedPaperPixmap(int size);

// A category: the closed folder, the open folder while it is selected.
QIcon categoryIcon();
// An industry: the sheet of paper, selected or not.
QIcon industryIcon();
// The back button's picture.
QIcon backArrowIcon();
