#pragma once

class QWidget;

// Asks "Do you want to exit?" in the current language (Yes/No, warning
// icon). Yes ends the program at once, without closing the connections;
// No returns, and the caller keeps its screen.
void askToExit(QWidget *parent);
