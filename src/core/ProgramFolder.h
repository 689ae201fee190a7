#pragma once

#include <QString>

// The folder of the running program, without a trailing separator. Every
// file the program uses is found there by appending "/" and its name.
QString ProgramFolder();

// Tests point the program at a folder of their own (empty restores it).
void setProgramFolderOverride(const QString &folder);
