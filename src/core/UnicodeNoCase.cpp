#include "core/UnicodeNoCase.h"

#include <QString>
#include <sqlite3.h>

namespace {
int compareFolded(void *, int leftSize, const void *left, int rightSize, const void *right)
{
    const QString a = QString::fromUtf8(static_cast<const char *>(left), leftSize).toCaseFolded();
    const QString b = QString::fromUtf8(static_cast<const char *>(right), rightSize).toCaseFolded();
    return QString::compare(a, b, Qt::CaseSensitive);
}
} // namespace

bool registerUnicodeNoCase(sqlite3 *handle)
{
    return sqlite3_create_collation(handle, kUnicodeNoCase, SQLITE_UTF8, nullptr, compareFolded) ==
           SQLITE_OK;
}
