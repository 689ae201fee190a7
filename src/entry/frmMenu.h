#pragma once

#include "core/Screen.h"

// The dataset selection screen: one of three volumes or sixteen regions.
class frmMenu : public Screen
{
    Q_OBJECT

public:
    frmMenu();
};
