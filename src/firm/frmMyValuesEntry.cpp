// The firm screen's amount boxes: keys, pastes, edits and the subtotals
// that follow them.
#include "firm/frmMyValues.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "firm/AmountKeys.h"
#include "firm/AmountRange.h"
#include "firm/AmountText.h"
#include "firm/PastedAmount.h"
#include "firm/StatementItems.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

void frmMyValues::selectWhole(QLineEdit *box)
{
    box->setFocus();
    box->selectAll();
}

bool frmMyValues::eventFilter(QObject *watched, QEvent *event)
{
    // The boxes keep Ctrl+D and Ctrl+Shift+Delete as editing keys of their
    // own; on this screen the menu's commands have them.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        if (pressed == mnuDelete->shortcut() || pressed == mnuClearAll->shortcut())
            return true;
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    const QString column = box ? box->objectName().mid(3) : QString();
    if (!box || m_amountBoxes.value(column) != box)
        return Screen::eventFilter(watched, event);
    const bool computed = box->isReadOnly();

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        // The item's definition from the keyboard, as a click on its label.
        if (keyEvent->key() == Qt::Key_F1 && keyEvent->modifiers() == Qt::ShiftModifier) {
            for (const QLabel *label : std::as_const(m_itemLabels))
                if (label->buddy() == box)
                    lblItem_Click(label->objectName());
            return true;
        }
        if (computed) {
            if (fncAmountKeyCode(*keyEvent) != kKeyEnter)
                return false;
            m_amountBoxes.value(fncEnterTarget(column))->setFocus();
            return true;
        }
        return subAmountKeyPress(box, keyEvent);
    }
    case QEvent::MouseButtonPress:
        // The user places the caret: typing goes where it is.
        if (m_replaceOnInput == box)
            m_replaceOnInput = nullptr;
        return false;
    case QEvent::ContextMenu:
        if (computed)
            return false;
        subShowAmountMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // The selection paste of X11 (middle button) goes through the same filter.
        if (computed || static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection())
            return false;
        subPasteAmount(box, QClipboard::Selection);
        return true;
    case QEvent::FocusIn:
        if (!computed) {
            box->selectAll();
            // A mouse click places the caret after focusing: select once it has.
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus())
                    box->selectAll();
            });
        }
        return false;
    case QEvent::FocusOut: {
        // Menus, message boxes and other windows take the focus for a while
        // only; the box is left when another control of this screen gets it.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (!computed && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            if (m_replaceOnInput == box)
                m_replaceOnInput = nullptr;
            if (subValidateAmount(box))
                subCalculateSubTotals();
        }
        return false;
    }
    default:
        return false;
    }
}

bool frmMyValues::subAmountKeyPress(QLineEdit *box, QKeyEvent *event)
{
    const AmountKey kind = fncClassifyAmountKeyEvent(*event);
    switch (kind) {
    case AmountKey::Pass:
        // The user placing the caret ends the replacement; a modifier key
        // pressed on its way to a shortcut does not.
        if (m_replaceOnInput == box && fncKeyPlacesCaret(*event))
            m_replaceOnInput = nullptr;
        return false;
    case AmountKey::Paste:
        subPasteAmount(box, QClipboard::Clipboard);
        return true;
    case AmountKey::Edit:
        subGuardedEdit(box, [box, event] { box->event(event); });
        return true;
    case AmountKey::Accept:
        subReplaceAfterRefusal(box);
        subGuardedEdit(box, [box, event] { box->event(event); });
        return true;
    case AmountKey::Minus:
        subReplaceAfterRefusal(box);
        break;
    case AmountKey::Enter:
    case AmountKey::Reject:
        break;
    }
    int key = fncAmountKeyCode(*event);
    subHandleKeyPress(key, box, m_amountBoxes.value(fncEnterTarget(box->objectName().mid(3))));
    // A single-line box inserts nothing for Enter; a discarded key is eaten.
    return key == 0 || key == kKeyEnter;
}

void frmMyValues::subReplaceAfterRefusal(QLineEdit *box)
{
    if (m_replaceOnInput != box)
        return;
    m_replaceOnInput = nullptr;
    box->selectAll();
}

QHash<QString, QString> frmMyValues::fncAmountTexts() const
{
    QHash<QString, QString> texts;
    for (auto it = m_amountBoxes.cbegin(); it != m_amountBoxes.cend(); ++it)
        texts.insert(it.key(), it.value()->text());
    return texts;
}

void frmMyValues::subGuardedEdit(QLineEdit *box, const std::function<void()> &edit)
{
    const QString before = box->text();
    const bool changedBefore = mblnDataChanged;
    const bool faultBefore = fncAmountRangeFault(fncAmountTexts()).has_value();
    edit();
    if (box->text() == before)
        return;
    const std::optional<AmountRangeFault> fault = fncAmountRangeFault(fncAmountTexts());
    if (!fault) {
        // The subtotals follow every change the user makes.
        subCalculateSubTotals();
        return;
    }
    if (faultBefore)
        return;
    box->setText(before);
    mblnDataChanged = changedBefore;
    subRefuse(box, fncAmountRangeMessage(*fault, appState().gintLanguage));
}

void frmMyValues::subPasteAmount(QLineEdit *box, QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (text.isEmpty())
        return;
    const std::optional<PastedAmount> amount = fncPastedAmount(text);
    if (!amount) {
        subShowNumberMessage(box);
        return;
    }
    subReplaceAfterRefusal(box);
    subGuardedEdit(box, [box, &amount] {
        if (!amount->negative) {
            // As typed: the box's undo takes it back.
            box->insert(amount->digits);
            return;
        }
        box->setText(fncTextAfterPaste(box->text(), box->selectionStart(),
                                       int(box->selectedText().size()), box->cursorPosition(),
                                       *amount));
        box->end(false);
    });
    // Cents are rounded as an import rounds them, and the user is told.
    if (amount->rounded) {
        ShowMessage(caption(kCentsRounded)
                        .arg(text.trimmed(),
                             (amount->negative ? QStringLiteral("-") : QString()) + amount->digits),
                    MsgButtons::Ok, MsgIcon::Information, QString(), this);
        box->setFocus();
    }
}

void frmMyValues::subShowAmountMenu(QLineEdit *box, const QPoint &globalPos)
{
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    // The standard Paste would insert the clipboard unfiltered. Its text is
    // Qt's own, in the language of Qt's translations.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        if (action->objectName() != QLatin1String("edit-paste") &&
            !action->text().startsWith(pasteText))
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, box,
                [this, box] { subPasteAmount(box, QClipboard::Clipboard); });
    }
    // Cut, undo, redo and delete from the menu are edits like their keys.
    subGuardedEdit(box, [&menu, &globalPos] { menu->exec(globalPos); });
}

void frmMyValues::subShowNumberMessage(QLineEdit *box)
{
    subRefuse(box, caption(kEnterNumber));
}

void frmMyValues::subRefuse(QLineEdit *box, const QString &message)
{
    // The message keeps its own words; its title names the box it is about
    // ("Quorvel — Cash"), which a screen reader says first.
    QString title;
    for (const QLabel *label : findChildren<QLabel *>())
        if (label->buddy() == box) {
            QString name = label->text();
            name.remove(QLatin1Char('&'));
            while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
                name.chop(1);
            if (!name.isEmpty())
                title = defaultMessageTitle() + QStringLiteral(" \u2014 ") + name;
            break;
        }
    ShowMessage(message, MsgButtons::Ok, MsgIcon::None, title, this);
    selectWhole(box);
    m_replaceOnInput = box;
    // The window may move the caret again as it comes back from the message.
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus())
            box->selectAll();
    });
}

void frmMyValues::subHandleKeyPress(int &intKeyPressed, QLineEdit *txtNumericalTextBox,
                                    QLineEdit *txtNextTextbox)
{
    switch (fncClassifyAmountKey(intKeyPressed)) {
    case AmountKey::Enter: {
        const std::optional<QString> normal = fncAmountNormalForm(txtNumericalTextBox->text());
        if (!normal) {
            intKeyPressed = 0;
            subShowNumberMessage(txtNumericalTextBox);
            return;
        }
        txtNumericalTextBox->setText(*normal);
        subCalculateSubTotals();
        if (txtNextTextbox)
            txtNextTextbox->setFocus();
        return;
    }
    case AmountKey::Minus: {
        intKeyPressed = 0;
        const std::optional<QString> negative =
            fncTextAfterMinus(txtNumericalTextBox->text(), txtNumericalTextBox->selectionStart(),
                              txtNumericalTextBox->selectedText().size());
        if (!negative) {
            subShowNumberMessage(txtNumericalTextBox);
            return;
        }
        txtNumericalTextBox->setText(*negative);
        subCalculateSubTotals();
        txtNumericalTextBox->setFocus();
        txtNumericalTextBox->deselect();
        txtNumericalTextBox->setCursorPosition(int(negative->size()));
        return;
    }
    case AmountKey::Accept:
    case AmountKey::Paste: // key events only: a character code is never one of these
    case AmountKey::Edit:
    case AmountKey::Pass:
        return;
    case AmountKey::Reject:
        intKeyPressed = 0;
        subShowNumberMessage(txtNumericalTextBox);
        return;
    }
}

bool frmMyValues::subValidateAmount(QLineEdit *box)
{
    std::optional<QString> normal = fncAmountNormalForm(box->text());
    if (normal && normal->isEmpty())
        normal = QStringLiteral("0");
    if (!normal) {
        const AmountRangeFault fault{box->objectName().mid(3), false};
        subRefuse(box, fncAmountRangeMessage(fault, appState().gintLanguage));
        return false;
    }
    if (box->text() != *normal)
        box->setText(*normal);
    return true;
}

void frmMyValues::subCalculateSubTotals()
{
    QHash<QString, QString> amounts = fncAmountTexts();
    fncApplySubtotals(amounts);
    for (const SubtotalRule &rule : subtotalRules()) {
        const QString column = QString::fromLatin1(rule.column);
        QLineEdit *box = m_amountBoxes.value(column);
        if (box->text() != amounts.value(column))
            box->setText(amounts.value(column));
    }
}

void frmMyValues::subRemoveBlanksCommas()
{
    for (const StatementItem &item : statementItems()) {
        QLineEdit *box = m_amountBoxes.value(QString::fromLatin1(item.column));
        const QString prepared = fncPreparedAmount(box->text());
        if (box->text() != prepared)
            box->setText(prepared);
    }
}
