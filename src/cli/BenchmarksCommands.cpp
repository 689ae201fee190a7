// quorvel-cli benchmarks list|use|load|remove|export: the benchmark sets.
#include "benchmarks/BenchmarkSetFile.h"
#include "benchmarks/BenchmarkSets.h"
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "core/StringIds.h"

namespace {
QString yearsText(const BenchmarkSetInfo &set)
{
    return set.years.isEmpty()
               ? QString()
               : QStringLiteral("%1-%2").arg(set.years.first()).arg(set.years.last());
}

CliStatus list(CliContext &context)
{
    QTextStream &out = context.out();
    out << "name\tsource\tyears\tdatasets\tindustries\tloaded\tin use\n";
    const QString inUse = rememberedBenchmarkSet();
    for (const BenchmarkSetInfo &set : listBenchmarkSets()) {
        const QString source = set.sample ? context.text(kSampleDataNote) : set.source.simplified();
        out << set.name << '\t' << source << '\t' << yearsText(set) << '\t';
        if (!set.sample)
            out << set.datasets << '\t' << set.industries << '\t'
                << set.loaded.toString(Qt::ISODate);
        else
            out << "\t\t";
        out << '\t' << (set.name.compare(inUse, Qt::CaseInsensitive) == 0 ? "*" : "") << '\n';
    }
    return CliStatus::Success;
}

CliStatus use(CliContext &context)
{
    const QString name = context.arguments().required(QString());
    const std::optional<BenchmarkSetInfo> set = findBenchmarkSet(name);
    if (!set)
        context.fail(CliStatus::Usage, kCliNoSuchSet, {name});
    rememberBenchmarkSet(set->name);
    context.out() << context.text(kCliSetInUse).arg(set->name) << '\n';
    return CliStatus::Success;
}

CliStatus load(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    const QString file = arguments.required(QString());
    const BenchmarkLoad loaded = loadBenchmarkSet(file, arguments.value(QStringLiteral("titles")),
                                                  arguments.required(QStringLiteral("name")),
                                                  arguments.required(QStringLiteral("source")));
    const QString summary =
        benchmarkLoadSummary(loaded, context.language()).join(QLatin1Char('\n'));
    if (loaded.nameProblem != SetNameProblem::None)
        throw CliFailure{CliStatus::Usage, summary};
    if (!loaded.set)
        throw CliFailure{CliStatus::Unusable, summary};
    context.out() << summary << '\n';
    return CliStatus::Success;
}

CliStatus remove(CliContext &context)
{
    const QString name = context.arguments().required(QString());
    if (findBenchmarkSet(name) && findBenchmarkSet(name)->sample)
        context.fail(CliStatus::Usage, kSampleNotRemovable);
    const std::optional<BenchmarkSetInfo> set = findBenchmarkSet(name);
    if (!set || !removeBenchmarkSet(name))
        context.fail(CliStatus::Usage, kCliNoSuchSet, {name});
    context.out() << context.text(kCliSetRemoved).arg(set->name) << '\n';
    return CliStatus::Success;
}

CliStatus exportPack(CliContext &context)
{
    const QString output = context.arguments().required(QStringLiteral("output"));
    if (!writeBenchmarkPackCsv(context.reference(), output))
        context.fail(CliStatus::Failure, kCliCannotWrite, {output});
    return CliStatus::Success;
}
} // namespace

QList<CliCommand> benchmarksCommands()
{
    return {{"benchmarks list", {}, "", list},
            {"benchmarks use", {{""}}, "NAME|sample", use},
            {"benchmarks load",
             {{""}, {"titles"}, {"name"}, {"source"}},
             "FILE [--titles FILE] --name NAME --source TEXT",
             load},
            {"benchmarks remove", {{""}}, "NAME", remove},
            {"benchmarks export", {{"output"}}, "--output FILE", exportPack}};
}
