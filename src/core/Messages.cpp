#include "core/Messages.h"

#include "core/AppState.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
MessageHandler &installedHandler()
{
    static MessageHandler h;
    return h;
}

struct ButtonSpec
{
    MsgAnswer answer;
    const char *english;
    const char *french;
    QMessageBox::ButtonRole role;
};

QList<ButtonSpec> buttonSpecs(MsgButtons buttons)
{
    const ButtonSpec ok{MsgAnswer::Ok, "OK", "OK", QMessageBox::AcceptRole};
    const ButtonSpec cancel{MsgAnswer::Cancel, "Cancel", "Annuler", QMessageBox::RejectRole};
    const ButtonSpec yes{MsgAnswer::Yes, "&Yes", "&Oui", QMessageBox::YesRole};
    const ButtonSpec no{MsgAnswer::No, "&No", "&Non", QMessageBox::NoRole};
    switch (buttons) {
    case MsgButtons::Ok:
        return {ok};
    case MsgButtons::OkCancel:
        return {ok, cancel};
    case MsgButtons::YesNo:
        return {yes, no};
    case MsgButtons::YesNoCancel:
        return {yes, no, cancel};
    }
    return {ok};
}

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The answer a box closed without a button choice gives.
MsgAnswer escapeAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}
} // namespace

QString defaultMessageTitle()
{
    return QStringLiteral("Quorvel");
}

QStringList messageButtonTexts(MsgButtons buttons)
{
    QStringList texts;
    const bool french = appState().isFrench();
    for (const ButtonSpec &spec : buttonSpecs(buttons))
        texts << QString::fromUtf8(french ? spec.french : spec.english).remove(QLatin1Char('&'));
    return texts;
}

void setMessageHandler(MessageHandler handler)
{
    installedHandler() = std::move(handler);
}

MsgAnswer ShowMessage(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                      QWidget *parent, std::optional<MsgAnswer> defaultAnswer)
{
    MessageRecord record{text,
                         title.isEmpty() ? defaultMessageTitle() : title,
                         buttons,
                         icon,
                         messageButtonTexts(buttons),
                         defaultAnswer.value_or(buttonSpecs(buttons).front().answer)};
    if (installedHandler())
        return installedHandler()(record);

    QMessageBox box(toQtIcon(icon), record.title, text, QMessageBox::NoButton, parent);
    const bool french = appState().isFrench();
    QList<QPair<QAbstractButton *, MsgAnswer>> answers;
    for (const ButtonSpec &spec : buttonSpecs(buttons)) {
        QPushButton *button =
            box.addButton(QString::fromUtf8(french ? spec.french : spec.english), spec.role);
        answers.append({button, spec.answer});
    }
    for (const auto &[button, answer] : answers)
        if (answer == record.defaultAnswer)
            box.setDefaultButton(qobject_cast<QPushButton *>(button));
    box.exec();
    for (const auto &[button, answer] : answers) {
        if (box.clickedButton() == button)
            return answer;
    }
    return escapeAnswer(buttons);
}
