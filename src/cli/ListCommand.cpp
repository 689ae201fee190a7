// quorvel-cli list: the saved statements, one a line, tab-separated.
#include "cli/CliCommands.h"
#include "reports/ComparisonBatch.h"

namespace {
// A tab or line break inside a name would break the line into fields.
QString field(const QString &text)
{
    QString flat = text;
    for (QChar &c : flat)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return flat;
}

CliStatus run(CliContext &context)
{
    QTextStream &out = context.out();
    out << "firm\tyear\tnaics\tvolume\tregion\n";
    for (const BatchStatement &statement : fncBatchStatements(context.store())) {
        out << field(statement.firmName) << '\t' << statement.year << '\t';
        if (statement.industry)
            out << field(statement.industry->naics) << '\t' << statement.industry->volume << '\t'
                << field(statement.industry->region);
        else
            out << "\t\t";
        out << '\n';
    }
    return CliStatus::Success;
}
} // namespace

CliCommand listCommand()
{
    return {"list", {}, "", run};
}
