#pragma once

#include <QString>

class DatabaseError;

// A database that refuses a write in the middle of a session (made
// read-only, a full disk, locked by another program beyond the wait) is not
// a fault of the program: the command that wrote is rolled back and said,
// and the program goes on.

// Whether the error is such a refusal (any other error stays untrapped).
bool fncIsWriteRefusal(const DatabaseError &error);

// The command that was refused.
// In this order: the messages are listed by command.
enum class RefusedCommand { Save, Delete, Report };

// Its message in the current language, naming the database file and why.
QString fncWriteRefusalMessage(RefusedCommand command, const QString &databaseFile,
                               const DatabaseError &error);
