#pragma once

// The program keeps process-wide state: the user's choices in appState()
// (language, dataset, flags) with Qt's translations for the language, the
// program folder override, the handler that ends the program and, in a
// program with screens, the loaded screens and their handlers. A test that
// changes any of it would leak into the next.

#include "core/AppState.h"

#include <functional>

namespace testsupport {

// Holds a test in a clean global state. On construction it keeps a copy of
// appState() and resets its choices to English and no dataset (the open
// connections stay), and it starts the rest from the program's starting
// state: no folder override, no end handler, and whatever the suite's main
// added (the screen suites' main adds the screens and their handlers). On
// destruction it resets the rest again, closes the connections opened in its
// lifetime and puts the kept appState() back, with its language.
//
// Hold one per test (created in init(), destroyed in cleanup()) or per suite.
class StateScope
{
public:
    StateScope();
    ~StateScope();
    StateScope(const StateScope &) = delete;
    StateScope &operator=(const StateScope &) = delete;

    // Adds global state of the program under test to the reset, once per
    // process, before any scope exists.
    static void addReset(std::function<void()> reset);

private:
    static void resetGlobals();

    AppState m_saved;
};

} // namespace testsupport
