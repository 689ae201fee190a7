#pragma once

#include <QString>

// The exit statuses of quorvel-cli.
enum class CliStatus : int {
    Success = 0,
    Failure = 1, // anything else, with the message on standard error
    Usage = 2,   // with the usage on standard error
    NoData = 3,  // the industry has no data for the year, or no such statement
    Unusable = 4 // the file to import cannot be used
};

// Ends a command with a status other than success and the message for
// standard error (in the language asked for, usage errors aside).
struct CliFailure
{
    CliStatus status;
    QString message;
};
