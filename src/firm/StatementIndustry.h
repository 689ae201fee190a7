#pragma once

#include "core/DbTools.h"
#include "core/Language.h"

#include <QString>
#include <QVector>
#include <optional>

struct StatementEntry;

// The industry and data set under which a statement (firm name, year) was
// last saved, kept in the user database's StatementIndustry table beside
// MyValues. A user database older than that table holds no such record:
// reads then find none, and the first save creates the table.
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

// Records the industry of the statement saved under this firm name and year,
// in place of any recorded before. Runs inside the caller's transaction.
void subWriteStatementIndustry(Connection &connection, const QString &firmName, int year,
                               const StatementIndustry &industry);

// The industry recorded for this firm name and year; empty when none is.
std::optional<StatementIndustry> fncReadStatementIndustry(Connection &connection,
                                                          const QString &firmName, int year);

// Forgets the industry of this firm name and year, if one is recorded.
void subDeleteStatementIndustry(Connection &connection, const QString &firmName, int year);

// "236110 Residential building construction": the code and, when the
// reference database knows it, the title in the language.
QString fncIndustryCaption(Connection &reference, const StatementIndustry &industry,
                           Language language);

// The firm list (name, year) with three more columns: the industry each
// statement was saved under ("Industry" / "Industrie"), and the volume and
// the region of its dataset (the region's name in the language); empty
// where none is recorded.
// The same list from the store's entries: name and year, then the same three columns.
RecordSet fncFirmListRecordSet(const QVector<StatementEntry> &entries, Connection &user,
                               Connection &reference, Language language);

RecordSet fncFirmListWithIndustries(const RecordSet &firms, Connection &user, Connection &reference,
                                    Language language);
