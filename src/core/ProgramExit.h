#pragma once

#include <functional>

// Ends the process at once: no further screen events run, nothing is saved
// and the connections are not closed. Tests replace the way it ends (their
// handler typically throws ProgramEnded so the test can carry on).
[[noreturn]] void EndProgram(int exitCode = 0);

using EndProgramHandler = std::function<void(int exitCode)>;
void setEndProgramHandler(EndProgramHandler handler);

// What a test's end handler throws to unwind out of the ending code.
struct ProgramEnded
{
    int exitCode;
};
