#pragma once

#include "import/ImportTable.h"

#include <QString>

// Whether the zip container at `path` is an OpenDocument spreadsheet (.ods,
// LibreOffice's own format): its mimetype entry says so, or, without one, it
// holds content.xml and no Excel workbook.
bool isOpenDocumentSpreadsheet(const QString &path);

// The sheets of an OpenDocument spreadsheet, in order, the hidden ones left
// out, read as an Excel workbook is (XlsxSheetReader.h): numbers, dates and
// texts, hidden rows and columns left out, rows and columns repeated at no
// cost when they are empty. An encrypted file is PasswordProtected.
ImportRead readOdsWorkbook(const QString &path);
