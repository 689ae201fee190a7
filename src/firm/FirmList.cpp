#include "firm/FirmList.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

QString fncNoRecordsMessage(Language language)
{
    return ResourceString(kNoRecordsFound, language);
}
