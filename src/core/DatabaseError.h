#pragma once

#include <QString>
#include <stdexcept>

// A database or platform error that no caller traps. It travels up to the
// application's event dispatch, which shows its number and description and
// ends the program (see UntrappedErrors.h).
class DatabaseError : public std::runtime_error
{
public:
    DatabaseError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number),
          m_description(description)
    {
    }

    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// A call the program should never make (an unknown file type or record set
// mode). Untrapped, its text alone is shown, in English, and the program ends.
class UsageError : public DatabaseError
{
public:
    using DatabaseError::DatabaseError;
};
