#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// Message boxes of the program. One function shows them all, with its
// buttons labelled in the current language; tests install a handler that
// records each message and answers it instead of showing a window.

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRecord
{
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QStringList buttonTexts;                 // as shown, in the current language
    MsgAnswer defaultAnswer = MsgAnswer::Ok; // the button Enter presses
};

using MessageHandler = std::function<MsgAnswer(const MessageRecord &)>;

// The title every message carries unless a Part names another.
QString defaultMessageTitle();

// Shows a message and returns the button chosen. Closing the box without a
// choice answers Cancel where there is one, else No, else Ok. Enter presses
// `defaultAnswer`, or the first button; a question whose first answer
// destroys something names the safe one.
MsgAnswer ShowMessage(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::None, const QString &title = QString(),
                      QWidget *parent = nullptr,
                      std::optional<MsgAnswer> defaultAnswer = std::nullopt);

// Replaces the window with a handler (an empty handler restores the window).
void setMessageHandler(MessageHandler handler);

// Button texts in the current language, in the order they are shown.
QStringList messageButtonTexts(MsgButtons buttons);
