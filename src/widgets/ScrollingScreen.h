#pragma once

#include <QSize>

class QMainWindow;
class QScrollArea;
class QWidget;

// Makes `content` the window's central widget inside a scroll area, so that a
// window smaller than its content (a small screen, large fonts) still shows
// every control; the area scrolls to whatever takes the focus.
QScrollArea *setScrollingCentralWidget(QMainWindow *window, QWidget *content);

// Resizes a top-level window to `wanted`, or less where the screen's
// available area (without panels and the window's frame) is smaller.
void resizeWithinScreen(QWidget *window, const QSize &wanted);
