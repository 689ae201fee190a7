#pragma once

#include "import/ImportTable.h"

#include <QByteArray>

// A comma-separated text as spreadsheets write it: UTF-8 with or without a
// byte order mark (UTF-16 with one; when the bytes are not UTF-8, Windows-1252
// or, for old Mac Excel's files, Mac Roman), lines ended by CR LF, LF or CR
// alone, fields separated by ",", ";" or a tab (whichever splits the lines;
// ";" makes the comma the decimal mark), quoted with '"' as RFC 4180 says.
// Only the rows and columns that hold something are kept. A line split by
// another separator than the file's is a RaggedCsvRow naming its line.
ImportRead readCsvSheet(const QByteArray &bytes);
