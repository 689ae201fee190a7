#pragma once

#include "core/DbTools.h"
#include "core/Language.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

struct StatementEntry;

// The industry and data set under which a statement (firm name, year) was
// last saved. Statements saved before industries were remembered have none.
struct StatementIndustry
{
    QString naics;
    int volume = 0;
    QString region;

    bool operator==(const StatementIndustry &) const = default;
};

// The key a firm name is matched by: its Unicode case fold ("ACME", "Acme"
// and "acme" are one firm; "École" and "ÉCOLE" too). Blanks count as typed.
QString fncFirmKey(const QString &firmName);

// "236110 Residential building construction": the code and, when the
// reference database knows it, the title in the language.
QString fncIndustryCaption(Connection &reference, const StatementIndustry &industry,
                           Language language);

// The firm list (name, year) with three more columns: the industry each
// statement was saved under ("Industry" / "Industrie"), and the volume and
// the region of its dataset (the region's name in the language); empty
// where none is recorded. `saved` holds the industries by folded firm name
// and year.
RecordSet fncFirmListWithIndustries(const RecordSet &firms,
                                    const QHash<QPair<QString, int>, StatementIndustry> &saved,
                                    Connection &user, Connection &reference, Language language);

// The same list from the store's entries: name and year, then the same three columns.
RecordSet fncFirmListRecordSet(const QVector<StatementEntry> &entries, Connection &user,
                               Connection &reference, Language language);
