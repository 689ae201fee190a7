#pragma once

#include "core/Screen.h"

// The start screen: the user picks the program's language here.
class frmStart : public Screen
{
    Q_OBJECT

public:
    frmStart();
};
