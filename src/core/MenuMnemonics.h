#pragma once

#include <QStringList>

class QMenuBar;

// Keyboard mnemonics of the menus (Alt+letter), in whichever language the
// captions are: each text gets an "&" before one letter that no other text
// of the same menu uses, the first letter of a word where one is free.

// The texts with their mnemonics; texts already marked are marked afresh.
QStringList withMnemonics(const QStringList &texts);

// Marks the bar's menu titles and the items of each of its menus.
void assignMnemonics(QMenuBar *bar);
