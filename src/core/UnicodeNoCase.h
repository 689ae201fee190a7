#pragma once

struct sqlite3;

// The collation "unicode_nocase": texts compared without regard to letter
// case for every letter ("École" equals "ÉCOLE"), not just ASCII as SQLite's
// own NOCASE does. Statements name it where the program's data compares
// that way: `where firmname = ? collate unicode_nocase`.
inline constexpr const char *kUnicodeNoCase = "unicode_nocase";

// Registers the collation on a connection.
bool registerUnicodeNoCase(sqlite3 *handle);
