#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

// quorvel-cli's subcommands, one file each. A new subcommand is a file that
// defines its CliCommand, declared here and listed in cliCommands().
CliCommand exportCommand();
CliCommand exportComparisonsCommand();
CliCommand listCommand();
CliCommand templateCommand();
CliCommand importCommand();
CliCommand initStoreCommand();
CliCommand copyStatementsCommand();
// "benchmarks list", "benchmarks load"...: commands of two words.
QList<CliCommand> benchmarksCommands();

const QList<CliCommand> &cliCommands();

// Options every command takes.
const QList<CliOption> &globalCliOptions();

// The usage, in English.
QString cliUsage();

// Runs the command line (without the program's name) and returns the exit
// status; writes results to `out`, messages and usage to `err`.
int runCli(const QStringList &arguments, QTextStream &out, QTextStream &err);
