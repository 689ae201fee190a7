// "Export comparisons" for 1,000 saved statements (or the count given as the
// first argument), on one worker and then on one worker per core, measured
// side by side in one run: in the program's own process, as the open-existing
// screen runs it, and through quorvel-cli export-comparisons (--jobs 1, then
// the default), whose peak memory is read as well.

#include "BenchSupport.h"

#include "core/DbTools.h"
#include "reports/ComparisonBatch.h"
#include "store/StoreLocation.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

// Milliseconds and peak memory (kB) of one quorvel-cli run.
std::pair<double, long> runCli(const QString &folder, const QString &out, const QString &jobs)
{
    QStringList arguments{QStringLiteral("export-comparisons"),
                          QStringLiteral("--program-folder"),
                          folder,
                          QStringLiteral("--folder"),
                          out,
                          QStringLiteral("--language"),
                          QStringLiteral("en")};
    if (!jobs.isEmpty())
        arguments << QStringLiteral("--jobs") << jobs;
    QProcess cli;
    cli.setProgram(QCoreApplication::applicationDirPath() +
                   QStringLiteral("/../Quorvel/quorvel-cli"));
    cli.setArguments(arguments);
    cli.setStandardOutputFile(QProcess::nullDevice());
    double ms = 0;
    long peakKb = 0;
    ms = bench::timeOnce([&] {
        cli.start();
        cli.waitForStarted();
        // Reaped here, not by QProcess, to read the child's peak memory.
        int status = 0;
        rusage usage{};
        wait4(pid_t(cli.processId()), &status, 0, &usage);
        peakKb = usage.ru_maxrss;
    });
    cli.waitForFinished(1000);
    return {ms, peakKb};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int count = bench::runsFromArguments(app.arguments(), 1000);

    QTemporaryDir dir;
    for (const char *file : {"ROV_DATA.mdb", "myData.mdb", "rpt_Comparison.rpt", "rpt_Ratios.rpt",
                             "rpt_BalanceSheet.rpt"}) {
        const QString name = QString::fromLatin1(file);
        if (!QFile::copy(testsupport::programFile(name), dir.filePath(name)) ||
            !QFile(dir.filePath(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
            qCritical("cannot copy %s", file);
            return 1;
        }
    }
    Connection reference, user;
    ConnectToFile(reference, dir.filePath(QStringLiteral("ROV_DATA.mdb")),
                  QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(user, dir.filePath(QStringLiteral("myData.mdb")), QStringLiteral("unknown"));
    {
        const std::unique_ptr<StatementStore> store =
            fncOpenStoreUri(dir.filePath(QStringLiteral("myData.mdb")));
        for (int n = 0; n < count; ++n)
            store->save(testsupport::numberedStatement(n), Expectation::anything(),
                        QStringLiteral("bench"));
    }
    const std::unique_ptr<StatementStore> store =
        fncOpenStoreUri(dir.filePath(QStringLiteral("myData.mdb")));
    const QVector<BatchStatement> statements = fncBatchStatements(*store);
    const QString layout = dir.filePath(QStringLiteral("rpt_Comparison.rpt"));
    const int cores = fncBatchWorkers(0);

    // In process: the function the screen's command runs, with a progress
    // callback that does what the screen's does besides drawing.
    const auto inProcess = [&](int workers) {
        QTemporaryDir out;
        int written = 0;
        const double ms = bench::timeOnce([&] {
            const QVector<BatchResult> results = fncExportComparisons(
                reference, user, *store, statements, out.path(), layout, Language::English,
                [](int) { return true; }, workers);
            for (const BatchResult &r : results)
                written += r.outcome == BatchOutcome::Written;
        });
        if (written != count)
            qCritical("%d of %d written", written, count);
        return ms;
    };
    const double oneMs = inProcess(1);
    const double allMs = inProcess(0);
    const QString statementsText = QString::number(count);
    bench::printFigure(QStringLiteral("batch-export-in-process"),
                       {{QStringLiteral("statements"), statementsText},
                        {QStringLiteral("cores"), QString::number(cores)},
                        {QStringLiteral("one_thread_ms"), bench::milliseconds(oneMs)},
                        {QStringLiteral("all_cores_ms"), bench::milliseconds(allMs)},
                        {QStringLiteral("speedup"), QString::number(oneMs / allMs, 'f', 2)}});

    DisconnectFromDB(user);
    DisconnectFromDB(reference);
    QTemporaryDir oneOut, allOut;
    const auto [cliOneMs, cliOneKb] = runCli(dir.path(), oneOut.path(), QStringLiteral("1"));
    const auto [cliAllMs, cliAllKb] = runCli(dir.path(), allOut.path(), QString());
    if (QDir(oneOut.path()).count() != QDir(allOut.path()).count())
        qCritical("the two command-line runs wrote different numbers of files");
    bench::printFigure(QStringLiteral("batch-export-cli"),
                       {{QStringLiteral("statements"), statementsText},
                        {QStringLiteral("cores"), QString::number(cores)},
                        {QStringLiteral("one_thread_ms"), bench::milliseconds(cliOneMs)},
                        {QStringLiteral("all_cores_ms"), bench::milliseconds(cliAllMs)},
                        {QStringLiteral("speedup"), QString::number(cliOneMs / cliAllMs, 'f', 2)},
                        {QStringLiteral("one_thread_peak_mb"), QString::number(cliOneKb / 1024)},
                        {QStringLiteral("all_cores_peak_mb"), QString::number(cliAllKb / 1024)}});
    return 0;
}
