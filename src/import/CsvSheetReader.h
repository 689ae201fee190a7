#pragma once

#include "import/ImportTable.h"

#include <QByteArray>

// A comma-separated text as spreadsheets write it: UTF-8 with or without a
// byte order mark (UTF-16 with one; Windows-1252 when the bytes are not
// UTF-8), fields separated by ",", ";" or a tab (whichever splits the lines;
// ";" makes the comma the decimal mark), quoted with '"' as RFC 4180 says.
ImportRead readCsvSheet(const QByteArray &bytes);
