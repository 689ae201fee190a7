#pragma once

// quorvel-cli run as a process, as a script runs it. The suites that use it
// define QUORVEL_CLI, the built program's path.

#include <QProcess>
#include <QString>
#include <QStringList>

#ifndef QUORVEL_CLI
#error "QUORVEL_CLI must name the built quorvel-cli"
#endif

namespace testsupport {

struct CliRun
{
    int status = -1; // -1 when the program crashed or did not end
    QString out;
    QString err;
};

inline CliRun
runCli(const QStringList &arguments,
       const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVEL_CLI), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace testsupport
