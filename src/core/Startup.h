#pragma once

// The program's start: opens both databases into AppState, records the help
// viewer's path and shows the start screen. A missing or damaged database
// file is an untrapped error (the caller runs this under runGuarded).
void Main();

// File names in the program folder.
inline constexpr const char *kReferenceDatabaseFile = "ROV_DATA.mdb";
inline constexpr const char *kUserDatabaseFile = "myData.mdb";
inline constexpr const char *kHelpViewerFile = "quorvel-help";
