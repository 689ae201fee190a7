#pragma once

#include <QString>
#include <optional>

class QKeyEvent;

// What an amount box does with a key.
enum class AmountKey {
    Accept, // a digit or Backspace: typed as usual
    Enter,  // normalise, recompute, move on
    Minus,  // make the amount negative
    Reject, // anything else that types a character: refused with the number message
    Paste,  // a paste shortcut: the clipboard goes through the paste filter
    Edit,   // cut, undo, redo, Delete: the box edits its text as usual
    Pass,   // select all, copy, and keys that type nothing (arrows, Tab, function
            // keys): left to the box and its window
};

// Character codes the amount boxes treat specially.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyMinus = 45;

AmountKey fncClassifyAmountKey(int characterCode);

// The character a key event types as the amount boxes filter it (Ctrl with a
// letter gives its control character); -1 for keys that type nothing.
int fncAmountKeyCode(const QKeyEvent &event);

// A key event as an amount box takes it. The editing shortcuts of the
// platform pass; shortcuts of the program's menus never reach the box.
AmountKey fncClassifyAmountKeyEvent(const QKeyEvent &event);

// Whether the key moves the caret or the selection (arrows, Home, End, page
// keys, with or without Shift), as the user places it.
bool fncKeyPlacesCaret(const QKeyEvent &event);

// The text after `typed` replaced the selection (from `selectionStart`, of
// `selectionLength` characters) or, with nothing selected, was inserted at
// `cursor`.
QString fncTextAfterTyping(const QString &text, int selectionStart, int selectionLength, int cursor,
                           const QString &typed);

// The text after the minus key: the selection (from `selectionStart`, of
// `selectionLength` characters) is removed first, then a non-zero amount
// becomes its negative, and a zero one a lone "-" so that digits can follow.
// Empty when the amount's normal form cannot be computed.
std::optional<QString> fncTextAfterMinus(const QString &text, int selectionStart,
                                         int selectionLength);
