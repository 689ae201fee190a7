#pragma once

#include <QString>
#include <stdexcept>

// An error of the report engine: a layout that cannot be read, a table
// number past the last, a table that cannot be read from its location.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
