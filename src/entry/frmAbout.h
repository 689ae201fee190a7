#pragma once

#include "core/Screen.h"

// The about screen: version, publisher and the sample-data notice.
class frmAbout : public Screen
{
    Q_OBJECT

public:
    frmAbout();
};
