#include "core/ExitQuestion.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramExit.h"
#include "core/ResourceString.h"

void askToExit(QWidget *parent)
{
    const QString question = caption(478);
    if (ShowMessage(question, MsgButtons::YesNo, MsgIcon::Warning, QString(), parent) ==
        MsgAnswer::Yes)
        EndProgram(0);
}
