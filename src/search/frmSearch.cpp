#include "search/frmSearch.h"

frmSearch::frmSearch()
{
    setObjectName(QStringLiteral("frmSearch"));
    resize(800, 600);
    centreOnScreen();
}
