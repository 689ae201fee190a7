#include "entry/frmStart.h"

frmStart::frmStart()
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Quorvel"));
    resize(480, 320);
    centreOnScreen();
}
