#pragma once

#include "core/DatabaseError.h"

// A statement store that cannot do what it was asked: the server cannot be
// reached or dropped the connection, refused the role, or lacks the schema;
// or the user stopped the command before the server answered; or the
// server's answer to a commit was lost, so that whether the write landed is
// not known (Unconfirmed).
// The screens catch it and say it in the user's language; the program goes on.
class StoreError : public DatabaseError
{
public:
    enum class Kind { Unreachable, Refused, NoSchema, Cancelled, Unconfirmed, Other };

    StoreError(Kind kind, const QString &where, const QString &detail)
        : DatabaseError(-1, detail), m_kind(kind), m_where(where)
    {
    }

    Kind kind() const { return m_kind; }
    // The store named for the user ("db.example.org/practice").
    QString where() const { return m_where; }

private:
    Kind m_kind;
    QString m_where;
};
