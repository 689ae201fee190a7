#include "core/ProgramExit.h"

#include "core/DbTools.h"

#include <cstdio>
#include <cstdlib>

namespace {
EndProgramHandler &handler()
{
    static EndProgramHandler h;
    return h;
}
} // namespace

void setEndProgramHandler(EndProgramHandler h)
{
    handler() = std::move(h);
}

void EndProgram(int exitCode)
{
    if (handler())
        handler()(exitCode); // a test handler unwinds by throwing
    // The user database file alone must hold every committed statement once
    // the program is gone, and open without the program's sidecar files.
    closeDatabasesBeforeExit();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
