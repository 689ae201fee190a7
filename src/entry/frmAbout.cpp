#include "entry/frmAbout.h"

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    resize(480, 360);
    centreOnScreen();
}
