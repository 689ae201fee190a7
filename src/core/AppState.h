#pragma once

#include "core/DbTools.h"
#include "core/Language.h"

#include <QString>

// The process-wide record of the user's choices and the two connections.
// Every screen reads and writes it from the one user-interface thread.
struct AppState
{
    Language gintLanguage = Language::English;
    QString gstrDatasetCaption;
    QString gstrDatasetTable;
    qint16 gintVolume = 0;
    QString gstrRegion;
    QString gstrNaicsDescTable;
    Connection gcnReference;
    Connection gcnUser;
    bool gblnKeepFirmForm = false;
    QString gstrHelpViewer;

    bool isFrench() const { return gintLanguage == Language::French; }
};

// The one instance of the process.
AppState &appState();
