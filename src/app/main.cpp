#include "app/Startup.h"
#include "core/DbTools.h"
#include "core/UntrappedErrors.h"

int main(int argc, char *argv[])
{
    QuorvelApplication app(argc, argv);
    runGuarded(Main);
    const int status = app.exec();
    closeDatabasesBeforeExit();
    return status;
}
