#pragma once

#include "core/Screen.h"

// The search screen: finds one industry of the chosen dataset and the output.
class frmSearch : public Screen
{
    Q_OBJECT

public:
    frmSearch();
};
