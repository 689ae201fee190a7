#pragma once

#include "core/DbTools.h"

// Begins a transaction on a connection; commit() makes it stick, and a guard
// destroyed without commit (an exception, an early return) rolls it back.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
