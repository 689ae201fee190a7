#include "core/ExitQuestion.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

void askToExit(QWidget *parent)
{
    const QString question = caption(kExitQuestion);
    if (ShowMessage(question, MsgButtons::YesNo, MsgIcon::Warning, QString(), parent) ==
        MsgAnswer::Yes)
        EndProgram(0);
}
