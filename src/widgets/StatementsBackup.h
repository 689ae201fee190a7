#pragma once

#include <QString>
#include <functional>

class QWidget;

// File > Back up statements… and File > Restore statements…: the user
// database on this computer copied to a file the user picks, or replaced by
// one after it is checked, the current one kept aside first.

// Picks a file: to write (`save`) or to read, starting from `suggested`. An
// empty answer is a cancel. Empty, the platform's file dialogs ask.
using BackupFileChooser = std::function<QString(bool save, const QString &suggested)>;

void subBackUpStatements(QWidget *parent, const BackupFileChooser &chooser = {});

// Returns whether the statements were replaced.
bool subRestoreStatements(QWidget *parent, const BackupFileChooser &chooser = {});
