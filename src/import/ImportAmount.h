#pragma once

#include <QString>
#include <optional>

// Amounts as spreadsheets and accounting programs write them in text:
// "80,000", "$5", "(1 234)", "1 234,56", "-1234.50", "1234-". A dash alone
// is zero, as accountants write it.

// Which mark a comma is when a text alone cannot tell: in a file whose fields
// are separated by ";" a comma is the decimal mark ("1234,56"); elsewhere a
// comma followed by exactly three digits groups thousands ("80,000").
enum class DecimalComma { WhenUnclear, Always };

// The amount a text stands for; empty when it is not an amount (words, a
// percentage, two signs, misplaced separators, a magnitude beyond what a
// statement can hold).
std::optional<double> parseImportAmount(const QString &text,
                                        DecimalComma comma = DecimalComma::WhenUnclear);
