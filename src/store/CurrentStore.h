#pragma once

#include "store/StatementStore.h"

#include <memory>

// The store the program's screens use: the one set at start-up (a team
// database), or else the user database of AppState on this computer.
StatementStore &statementStore();

// Puts a store in use; an empty pointer goes back to the user database.
void setStatementStore(std::unique_ptr<StatementStore> store);
