#pragma once

#include "core/Language.h"

#include <QHash>
#include <QString>
#include <optional>

// The amounts a statement record can hold: every item and every subtotal
// within kLargestAmount (see AmountText.h).

// An item, or a subtotal, beyond the largest amount.
struct AmountRangeFault
{
    QString column; // the MyValues column of the item or subtotal
    bool subtotal = false;

    bool operator==(const AmountRangeFault &) const = default;
};

// The first item of `amounts` (column -> text, read by its leading number)
// beyond the largest amount, in the order of the statement items; when every
// item is within it, the first subtotal beyond it, in the order they are
// computed; empty when the statement can be stored.
std::optional<AmountRangeFault> fncAmountRangeFault(const QHash<QString, QString> &amounts);

// The largest amount accepted, as the language writes it
// ("922,337,203,685,477" / "922 337 203 685 477").
QString fncLargestAmountText(Language language);

// What the user is told of a fault, naming the largest amount accepted.
QString fncAmountRangeMessage(const AmountRangeFault &fault, Language language);
