#pragma once

#include "core/Language.h"
#include "core/Screen.h"

class QGroupBox;
class QLabel;
class QPushButton;

// The about screen: product title, version, the publisher's contact block
// and the notice that the shipped benchmark figures are a sample. Shown
// modally from the menus; its captions follow the language at every showing.
class frmAbout : public Screen
{
    Q_OBJECT

public:
    frmAbout();

    void subLoadCaptions();
    void reloadCaptions() override { subLoadCaptions(); }
    void cmdReturn_Click();

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QGroupBox *fraContact = nullptr;
    QLabel *lblStats = nullptr;
    QLabel *lblStreet = nullptr;
    QLabel *lblProv = nullptr;
    QLabel *lblSubjectMatter = nullptr;
    QLabel *lblTechnical = nullptr;
    QLabel *lblFax = nullptr;
    QLabel *lblEmail = nullptr;
    QLabel *lblSampleData = nullptr;
    QLabel *lblStatementsFile = nullptr;
    QPushButton *cmdReturn = nullptr;

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyCaptions(Language language);
};
