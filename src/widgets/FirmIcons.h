#pragma once

#include <QIcon>

// The firm screen's toolbar pictures, drawn in code.
QIcon newStatementIcon();    // a blank sheet with a folded corner
QIcon openStatementIcon();   // an open folder
QIcon saveStatementIcon();   // a diskette
QIcon deleteStatementIcon(); // a red cross
QIcon compareFirmIcon();     // two bar groups side by side
QIcon clearAllIcon();        // an eraser
