#pragma once

#include "session/StatementSession.h"

// The program's one statement session: the store in use (see CurrentStore.h)
// and the language and data set of AppState. The screens share it.
StatementSession &appSession();
