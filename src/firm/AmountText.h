#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Amounts of the firm statement as the screen holds them: texts in the amount
// boxes, read and written the same way whatever the regional settings.

// The largest magnitude an amount may have: the range of a four-decimal
// fixed-point amount (a 64-bit count of ten-thousandths).
inline constexpr double kLargestAmount = 922337203685477.5807;

// The number a text starts with. Blanks (space, tab, line feed) are skipped
// wherever they occur; then an optional sign, digits with at most one "." and
// an optional exponent (E or D, either case) are read up to the first
// character that cannot continue the number. A text without a number is 0; a
// comma ends the number. Too large a number gives an infinite value.
double fncLeadingNumber(const QString &text);

// The amount's normal form: its leading number rounded to four decimals
// (halves to even), in plain notation with "." and without trailing zeros.
// Empty when the magnitude is beyond kLargestAmount.
std::optional<QString> fncAmountNormalForm(const QString &text);

// The normal form of a number (see above); empty beyond kLargestAmount.
std::optional<QString> fncAmountNormalForm(double value);

// A number in plain digits, never in scientific notation, with the fewest
// digits that read back as exactly the same number (up to 17 significant
// digits): saving a shown amount stores what was loaded.
QString fncDoubleText(double value);

// The double-precision sum of the leading numbers of `texts`, added left to right.
double fncExactSum(const QStringList &texts);

// A subtotal as the screen shows it: the sum in the amount normal form, or in
// plain digits when it lies beyond kLargestAmount (the save then refuses it).
QString fncSubtotalText(double sum);

// One box's text made ready for saving or reporting: an empty text becomes
// "0" and every comma a point; nothing else is touched.
QString fncPreparedAmount(const QString &text);

// The number a prepared amount text stands for, when the whole text (blanks
// around it aside) is a number within kLargestAmount; empty otherwise.
std::optional<double> fncStorableAmount(const QString &text);
