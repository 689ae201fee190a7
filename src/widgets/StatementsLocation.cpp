#include "widgets/StatementsLocation.h"

#include "core/AppState.h"
#include "core/LanguageSwitch.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "store/CurrentStore.h"
#include "store/PgStatementStore.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"
#include "widgets/StoreWait.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
std::function<QString(const QString &)> &passwordPrompt()
{
    static std::function<QString(const QString &)> prompt;
    return prompt;
}

QString askPassword(const StoreLocation &location, QWidget *parent)
{
    const QString user = location.user.isEmpty() ? fncCurrentUserName() : location.user;
    const QString question =
        caption(2440).arg(user, location.host + QLatin1Char('/') + location.database);
    if (passwordPrompt())
        return passwordPrompt()(question);
    return QInputDialog::getText(parent, caption(2412), question, QLineEdit::Password);
}

// The team store of the location, with a password asked for when the server
// wants one and libpq's own means gave none. When the user cancels: the store
// without a password if `keepOnCancel` (its commands then say the server
// refused; nothing is saved elsewhere unknowingly), else nothing.
std::unique_ptr<StatementStore> teamStore(const StoreLocation &location, QWidget *parent,
                                          bool keepOnCancel)
{
    auto store = std::make_unique<PgStatementStore>(location.conninfo());
    try {
        if (!fncWaitForStore(parent, *store, [&] { return store->needsPassword(); }))
            return store;
    } catch (const StoreError &error) {
        // Kept in use: the commands say why they cannot work and try again.
        ShowMessage(caption(2452).arg(fncStoreErrorReason(error, appState().gintLanguage)),
                    MsgButtons::Ok, MsgIcon::Warning, QString(), parent);
        return store;
    }
    QString password = askPassword(location, parent);
    if (password.isEmpty())
        return keepOnCancel ? std::move(store) : nullptr;
    auto withPassword = std::make_unique<PgStatementStore>(location.conninfo(), password);
    // The store keeps its own copy; this one is wiped, not just freed.
    password.fill(QChar(0));
    return withPassword;
}

void refreshTitles()
{
    switchProgramLanguage(appState().gintLanguage);
}
} // namespace

dlgStatementsLocation::dlgStatementsLocation(const StoreLocation &location, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgStatementsLocation"));
    setWindowTitle(caption(2412));
    optLocal = new QRadioButton(caption(2414), this);
    optLocal->setObjectName(QStringLiteral("optLocal"));
    optTeam = new QRadioButton(caption(2416), this);
    optTeam->setObjectName(QStringLiteral("optTeam"));
    txtHost = new QLineEdit(location.host, this);
    txtHost->setObjectName(QStringLiteral("txtHost"));
    txtPort = new QSpinBox(this);
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtPort->setRange(1, 65535);
    txtPort->setValue(location.port);
    txtDatabase = new QLineEdit(location.database, this);
    txtDatabase->setObjectName(QStringLiteral("txtDatabase"));
    txtUser = new QLineEdit(location.user, this);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    txtUser->setPlaceholderText(fncCurrentUserName());
    cboSslMode = new QComboBox(this);
    cboSslMode->setObjectName(QStringLiteral("cboSslMode"));
    cboSslMode->addItems(fncSslModes());
    cboSslMode->setCurrentText(location.sslMode);
    lblPasswordNote = new QLabel(caption(2418), this);
    lblPasswordNote->setObjectName(QStringLiteral("lblPasswordNote"));
    lblPasswordNote->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    const QStringList texts = messageButtonTexts(MsgButtons::OkCancel);
    buttons->button(QDialogButtonBox::Ok)->setText(texts.value(0));
    buttons->button(QDialogButtonBox::Cancel)->setText(texts.value(1));

    auto *form = new QFormLayout;
    form->addRow(caption(2430), txtHost);
    form->addRow(caption(2432), txtPort);
    form->addRow(caption(2434), txtDatabase);
    form->addRow(caption(2436), txtUser);
    form->addRow(caption(2438), cboSslMode);
    form->setContentsMargins(24, 0, 0, 0);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(optLocal);
    layout->addWidget(optTeam);
    layout->addLayout(form);
    layout->addWidget(lblPasswordNote);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    (location.kind == StoreLocation::Kind::Team ? optTeam : optLocal)->setChecked(true);
    connect(optTeam, &QRadioButton::toggled, this, &dlgStatementsLocation::subEnableTeamFields);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgStatementsLocation::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &dlgStatementsLocation::reject);
    subEnableTeamFields();
}

StoreLocation dlgStatementsLocation::location() const
{
    StoreLocation location;
    location.kind = optTeam->isChecked() ? StoreLocation::Kind::Team : StoreLocation::Kind::Local;
    location.host = txtHost->text().trimmed();
    location.port = txtPort->value();
    location.database = txtDatabase->text().trimmed();
    location.user = txtUser->text().trimmed();
    location.sslMode = cboSslMode->currentText();
    return location;
}

void dlgStatementsLocation::subEnableTeamFields()
{
    for (QWidget *field : {static_cast<QWidget *>(txtHost), static_cast<QWidget *>(txtPort),
                           static_cast<QWidget *>(txtDatabase), static_cast<QWidget *>(txtUser),
                           static_cast<QWidget *>(cboSslMode)})
        field->setEnabled(optTeam->isChecked());
}

void dlgStatementsLocation::accept()
{
    const StoreLocation chosen = location();
    if (chosen.kind == StoreLocation::Kind::Team &&
        (chosen.host.isEmpty() || chosen.database.isEmpty())) {
        ShowMessage(caption(2454), MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    QDialog::accept();
}

QString fncTitleWithStore(const QString &title)
{
    StatementStore &store = statementStore();
    if (!store.isTeam())
        return title;
    return title + QStringLiteral(" \u2014 ") +
           caption(2428).arg(store.description(appState().gintLanguage));
}

void subChooseStatementsLocation(QWidget *parent)
{
    dlgStatementsLocation dialog(fncReadStoreLocation(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const StoreLocation chosen = dialog.location();
    if (chosen.kind == StoreLocation::Kind::Local) {
        setStatementStore(nullptr);
    } else {
        std::unique_ptr<StatementStore> store = teamStore(chosen, parent, false);
        if (!store)
            return;
        setStatementStore(std::move(store));
    }
    subWriteStoreLocation(chosen);
    refreshTitles();
    ShowMessage(caption(2450).arg(statementStore().description(appState().gintLanguage)),
                MsgButtons::Ok, MsgIcon::Information, QString(), parent);
}

void subOpenChosenStore(QWidget *parent)
{
    const StoreLocation location = fncReadStoreLocation();
    if (location.kind != StoreLocation::Kind::Team)
        return;
    setStatementStore(teamStore(location, parent, true));
}

void setPasswordPrompt(std::function<QString(const QString &)> prompt)
{
    passwordPrompt() = std::move(prompt);
}
