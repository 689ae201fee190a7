#include "app/Startup.h"
#include "core/UntrappedErrors.h"

int main(int argc, char *argv[])
{
    QuorvelApplication app(argc, argv);
    runGuarded(Main);
    return app.exec();
}
