#pragma once

// The program's start: checks both database files, opens them into AppState,
// records the help viewer's path and shows the start screen. A file that
// lacks a table or column, or a user database that cannot be written, gives
// a message naming the file and the fault and ends the program with status 1,
// before anything is opened for good. A missing or damaged database file is
// an untrapped error (the caller runs this under runGuarded).
void Main();

// File names in the program folder.
inline constexpr const char *kReferenceDatabaseFile = "ROV_DATA.mdb";
inline constexpr const char *kUserDatabaseFile = "myData.mdb";
inline constexpr const char *kHelpViewerFile = "quorvel-help";
