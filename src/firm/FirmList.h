#pragma once

#include "core/Language.h"

#include <QString>

// The message shown when there is no stored statement to open.
QString fncNoRecordsMessage(Language language);
