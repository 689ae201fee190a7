#pragma once

#include "store/StoreLocation.h"

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QDialogButtonBox;

// File > Statements location…: on this computer, or a team database on a
// PostgreSQL server (host, port, database, user, TLS mode). No password box:
// Quorvel never keeps one.
class dlgStatementsLocation : public QDialog
{
    Q_OBJECT

public:
    explicit dlgStatementsLocation(const StoreLocation &location, QWidget *parent = nullptr);

    StoreLocation location() const;

    QRadioButton *optLocal = nullptr;
    QRadioButton *optTeam = nullptr;
    QLineEdit *txtHost = nullptr;
    QSpinBox *txtPort = nullptr;
    QLineEdit *txtDatabase = nullptr;
    QLineEdit *txtUser = nullptr;
    QComboBox *cboSslMode = nullptr;
    QLabel *lblPasswordNote = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    void subEnableTeamFields();
    void accept() override;
};

// A window's title, followed by the store in use when it is the team database.
QString fncTitleWithStore(const QString &title);

// Asks for a location, keeps it in the settings file and puts its store in
// use (asking for the password when the server wants one). The screens'
// titles follow.
void subChooseStatementsLocation(QWidget *parent);

// At start-up: puts the store of the settings file in use. A team database
// that cannot be reached now is said; each later command tries it again.
void subOpenChosenStore(QWidget *parent);

// Tests answer the password prompt; an empty answer is a cancel.
void setPasswordPrompt(std::function<QString(const QString &question)> prompt);
