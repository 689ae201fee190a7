#include "store/StatementOrder.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

void sortStatementEntries(QVector<StatementEntry> &entries, Language language)
{
    QCollator collator(language == Language::English ? QLocale(QLocale::English, QLocale::Canada)
                                                     : QLocale(QLocale::French, QLocale::Canada));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(),
                     [&collator](const StatementEntry &a, const StatementEntry &b) {
                         const int byName = collator.compare(a.firmName, b.firmName);
                         if (byName != 0)
                             return byName < 0;
                         return a.year < b.year;
                     });
}
