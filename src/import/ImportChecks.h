#pragma once

#include "firm/StatementItems.h"
#include "import/StatementImport.h"

#include <QList>
#include <array>

// What an imported statement is checked against before anything is saved,
// and the side of the books each item sits on.

// Whether an item's balance is normally a credit: liabilities, equity,
// revenue and the profits are; assets and expenses (interest) are debits.
// A trial balance gives an account's debit less its credit, so a credit
// item's statement amount is that figure with its sign reversed.
bool isCreditItem(int item);

// The checks the statement fails, in the order the summary gives them: the
// balance sheet's two sides, the file's totals against the computed ones,
// the income lines' order, then the lines below zero that cannot be.
// `rowOf` gives each item's row in the file (from 1; 0 where it has none).
// Amounts are whole dollars, so cents never fail a check.
QList<ImportCheck> importChecks(const StatementImport &import,
                                const std::array<int, kStatementItemCount> &rowOf);
