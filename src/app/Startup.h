#pragma once

#include "core/ProgramFolder.h" // the file names

// The program's start: checks and opens both database files into AppState
// (installed, it first creates the user's database from the shipped one),
// records the help viewer's path and shows the start screen. A file that is
// missing, not a database, cut off, lacks a table or column, or a user
// database that cannot be written, gives a message naming the file and the
// fault and ends the program with status 1, the file left as it was.
void Main();
