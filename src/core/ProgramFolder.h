#pragma once

#include <QString>

// The folder of the running program, without a trailing separator: where its
// executables are (the program, the help viewer, the command line).
QString ProgramFolder();

// Tests point the program at a folder of their own (empty restores it).
void setProgramFolderOverride(const QString &folder);

// File names the program uses.
inline constexpr const char *kReferenceDatabaseFile = "ROV_DATA.mdb";
inline constexpr const char *kUserDatabaseFile = "myData.mdb";
inline constexpr const char *kHelpViewerFile = "quorvel-help";

// Two layouts, told apart by where the files are, not by permissions (root
// may write anywhere):
// - the program folder: the databases, layouts and help files sit beside
//   the executable (the build's Quorvel/ folder);
// - installed: the executable is in <prefix>/bin, the shipped files are in
//   <prefix>/share/quorvel, and the user database lives in the user's data
//   folder, so that the install tree is never written.
enum class ProgramLayout { ProgramFolder, Installed };
ProgramLayout programLayout();

// The folder of the shipped files: reference database, report layouts,
// help documents (and, installed, the user database's template).
QString DataFolder();

// The one answer to "where is the user database".
QString UserDatabasePath();

// Installed: the empty user database shipped as the template of a user's
// first one (empty in the program-folder layout).
QString UserDatabaseTemplatePath();
