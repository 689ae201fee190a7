#pragma once

#include <QString>
#include <optional>

// What an amount box does with a typed character.
enum class AmountKey {
    Accept, // a digit or Backspace: typed as usual
    Enter,  // normalise, recompute, move on
    Minus,  // make the amount negative
    Reject  // anything else: refused with the number message
};

// Character codes the amount boxes treat specially.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyMinus = 45;

AmountKey fncClassifyAmountKey(int characterCode);

// Whether pasted text may go into an amount box: only what typing could put
// there, so digits only (a paste of nothing is no paste).
bool fncPasteAccepted(const QString &text);

// The text after the minus key: the selection (from `selectionStart`, of
// `selectionLength` characters) is removed first, then a non-zero amount
// becomes its negative, and a zero one a lone "-" so that digits can follow.
// Empty when the amount's normal form cannot be computed.
std::optional<QString> fncTextAfterMinus(const QString &text, int selectionStart,
                                         int selectionLength);
