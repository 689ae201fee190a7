#pragma once

#include "core/DbTools.h"

// The reference database seen from the user connection: its file attached
// read-only under one schema name, so that an industry's rows are copied
// from one database into the other inside SQLite.

// The schema name of the attached reference database.
inline constexpr const char *kReferenceSchema = "refdata";

// Attaches the reference connection's file to the user connection, unless
// that connection's file is attached already. SQLite refuses to attach inside
// a transaction: call it before the preparation's transaction begins.
void attachReference(Connection &cnUser, Connection &cnReference);
