#pragma once

#include <QtGlobal>

// The program's two languages. A language's value is the offset of its texts
// in the string table: English at an id, French at id + 1.
enum class Language : qint16 { English = 0, French = 1 };
