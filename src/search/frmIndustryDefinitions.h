#pragma once

#include "core/Screen.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The industry definition viewer: an industry's code, title and definition,
// which the user can print. "Back" or closing unloads it: the next opening
// starts again from its design captions in the language then current.
class frmIndustryDefinitions : public Screen
{
    Q_OBJECT

public:
    frmIndustryDefinitions();

    // Loads the window unless it is loaded: centred, captions in the current
    // language, the design title "Title" and no definition.
    void loadIfUnloaded();
    bool isFormLoaded() const { return m_loaded; }

    void setTitleLine(const QString &text);
    void setDefinition(const QString &text);

    void cmdPrint_Click();
    void cmdContinue_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void unloadForm();

    QLabel *lblNAICS = nullptr;
    QPlainTextEdit *txtDefinition = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdContinue = nullptr;
    bool m_loaded = false;
};
