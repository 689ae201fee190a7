#include "core/ProgramExit.h"

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
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
