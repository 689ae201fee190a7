#pragma once

#include <QString>
#include <optional>

// An amount as spreadsheets and documents copy it: "80,000", "80 000 $",
// "$5", "(1 234)" for a negative one, and amounts with cents as an import
// reads them ("80 000,00 $", "1,234.56"), rounded to whole dollars as the
// import rounds them. Any other text is no amount.
struct PastedAmount
{
    QString digits; // the amount's digits, separators dropped
    bool negative = false;
    std::optional<double> rounded; // the amount with its cents, when they were rounded away
};

// The amount `text` holds once blanks around it (a copied cell's line end
// among them), accounting parentheses or a leading minus, a leading "$" or a
// trailing " $", and thousands separators ("," and the blanks, no-break and
// narrow no-break spaces included) are set aside. Separators must part the
// digits in groups of three, so that "80 000,00" (a fraction written the
// French way) is never read as 8 million; an amount with cents is then read
// as the import reads it, and rounded.
std::optional<PastedAmount> fncPastedAmount(const QString &text);

// The box's text after a pasted amount went in: its digits replace the
// selection or go in at the cursor, as typed digits would; a negative amount
// then makes the whole amount negative, as the minus key does (a negative
// zero is 0). An amount too large for its normal form keeps its digits, so
// that the range check sees it.
QString fncTextAfterPaste(const QString &text, int selectionStart, int selectionLength, int cursor,
                          const PastedAmount &amount);
