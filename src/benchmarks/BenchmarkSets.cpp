#include "benchmarks/BenchmarkSets.h"

#include "benchmarks/BenchmarkSetFile.h"
#include "core/DatabaseCheck.h"
#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "import/ImportTexts.h"
#include "store/StoreLocation.h"

#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <csignal>

namespace {
constexpr int kLongestName = 60;
const QString kSetSuffix = QStringLiteral(".benchmarks.mdb");

QString setPath(const QString &name)
{
    return benchmarkSetsFolder() + QLatin1Char('/') +
           QString::fromLatin1(QUrl::toPercentEncoding(name.trimmed().toLower())) + kSetSuffix;
}

bool isSampleName(const QString &name)
{
    return name.trimmed().compare(QLatin1String("sample"), Qt::CaseInsensitive) == 0;
}

// A load killed halfway leaves its temporary file, named after its process:
// removed once that process is gone.
void removeLeftovers()
{
    static const QRegularExpression partial(QStringLiteral("\\.([0-9]+)\\.partial\\.mdb"));
    const QDir folder(benchmarkSetsFolder());
    for (const QString &file : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = partial.match(file);
        if (!m.hasMatch())
            continue;
        const pid_t pid = pid_t(m.captured(1).toLongLong());
        if (kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        QFile::remove(folder.filePath(file));
    }
}
} // namespace

QString benchmarkSetsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Quorvel/benchmarks");
}

QList<BenchmarkSetInfo> listBenchmarkSets()
{
    removeLeftovers();
    QList<BenchmarkSetInfo> sets{sampleBenchmarks()};
    QList<BenchmarkSetInfo> loaded;
    const QDir folder(benchmarkSetsFolder());
    for (const QString &file : folder.entryList({QLatin1Char('*') + kSetSuffix}, QDir::Files)) {
        if (file.contains(QLatin1String(".partial.")))
            continue;
        if (std::optional<BenchmarkSetInfo> info = readBenchmarkSetInfo(folder.filePath(file)))
            loaded << *info;
    }
    std::sort(loaded.begin(), loaded.end(),
              [](const BenchmarkSetInfo &a, const BenchmarkSetInfo &b) {
                  return QString::localeAwareCompare(a.name, b.name) < 0;
              });
    return sets + loaded;
}

std::optional<BenchmarkSetInfo> findBenchmarkSet(const QString &name)
{
    if (isSampleName(name))
        return sampleBenchmarks();
    const QString path = setPath(name);
    if (!QFile::exists(path))
        return std::nullopt;
    return readBenchmarkSetInfo(path);
}

SetNameProblem checkNewSetName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return SetNameProblem::Empty;
    if (isSampleName(trimmed))
        return SetNameProblem::Reserved;
    if (trimmed.size() > kLongestName)
        return SetNameProblem::TooLong;
    if (QFile::exists(setPath(trimmed)))
        return SetNameProblem::Taken;
    return SetNameProblem::None;
}

BenchmarkLoad loadBenchmarkSet(const QString &dataPath, const QString &titlesPath,
                               const QString &name, const QString &source)
{
    BenchmarkLoad load;
    removeLeftovers();
    load.nameProblem = checkNewSetName(name);
    if (load.nameProblem != SetNameProblem::None)
        return load;
    const QString shipped = sampleBenchmarks().path;
    load.pack = readBenchmarkPack(dataPath, titlesPath, shippedIndustryCodes(shipped));
    if (load.pack.fault != ImportFault::None || !load.pack.errors.isEmpty())
        return load;
    QDir().mkpath(benchmarkSetsFolder());
    load.set =
        writeBenchmarkSetFile(load.pack, name.trimmed(), source.trimmed(), shipped, setPath(name));
    return load;
}

bool removeBenchmarkSet(const QString &name)
{
    if (isSampleName(name))
        return false;
    return QFile::remove(setPath(name));
}

QString rememberedBenchmarkSet()
{
    QSettings settings(fncSettingsFilePath(), QSettings::IniFormat);
    return settings.value(QStringLiteral("benchmarks/inUse"), QStringLiteral("sample")).toString();
}

void rememberBenchmarkSet(const QString &name)
{
    QSettings settings(fncSettingsFilePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("benchmarks/inUse"), name);
}

BenchmarkSetInfo useBenchmarkSetNamed(const QString &name)
{
    const BenchmarkSetInfo set = findBenchmarkSet(name).value_or(sampleBenchmarks());
    setBenchmarksInUse(set);
    return set;
}

QStringList benchmarkLoadSummary(const BenchmarkLoad &load, Language language)
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    QStringList lines;
    if (load.nameProblem != SetNameProblem::None) {
        lines << text(kSetNameEmpty + 2 * (int(load.nameProblem) - 1));
        return lines;
    }
    if (load.pack.fault != ImportFault::None) {
        lines << importFaultMessage(load.pack.fault, load.pack.faultFile, language);
        return lines;
    }
    if (!load.pack.errors.isEmpty()) {
        lines << text(kPackRefused).arg(load.pack.errors.size());
        for (const PackProblem &problem : load.pack.errors)
            lines << QStringLiteral("  ") + packProblemText(problem, language);
        return lines;
    }
    if (!load.set)
        return lines;
    const BenchmarkSetInfo &set = *load.set;
    lines << text(kPackLoaded).arg(set.name);
    lines << text(kPackLoadedFigures)
                 .arg(load.pack.rows.size())
                 .arg(set.datasets)
                 .arg(set.industries)
                 .arg(QString::number(set.years.first()), QString::number(set.years.last()));
    lines
        << text(kPackWarnings).arg(load.pack.suppressedFigures).arg(load.pack.singleYearIndustries);
    return lines;
}

std::optional<DatabaseProblem> openBenchmarkSet(Connection &connection, const BenchmarkSetInfo &set)
{
    DatabaseSchema schema = DatabaseSchema::shipped(QLatin1String(kReferenceDatabaseFile));
    if (!set.sample) {
        QStringList datasetTables;
        for (const auto &[table, columns] : schema.utf8Tables())
            if (table.startsWith("ROVAL_Vol"))
                datasetTables << QString::fromUtf8(table);
        schema = schema.without(datasetTables);
    }
    return fncOpenCheckedDatabase(connection, set.path, schema, OpenMode::ReadOnly);
}
