#pragma once

#include "core/Language.h"
#include "firm/SavedStatement.h"

#include <QString>

class StoreError;

// Why the team database refused (the reason a message gives as its %1).
QString fncStoreErrorReason(const StoreError &error, Language language);

// The commands the screens run on the store, by their refusal text.
enum class StoreCommand { Save, Delete, Read };

// "The statement could not be saved: the team database … cannot be reached (…)…".
QString fncStoreRefusalMessage(StoreCommand command, const StoreError &error, Language language);

// The question asked when someone else saved the statement after it was opened.
QString fncConflictQuestion(StoreCommand command, const QString &firmName, int year,
                            const StatementStamp &theirs, Language language);
