#include "entry/frmMenu.h"

frmMenu::frmMenu()
{
    setObjectName(QStringLiteral("frmMenu"));
    resize(640, 480);
    centreOnScreen();
}
