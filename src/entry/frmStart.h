#pragma once

#include "core/Language.h"
#include "core/Screen.h"

class ClickableLabel;
class QLabel;
class QPushButton;

// The start screen: the user picks the program's language here. Its texts
// read the same in both languages, so it loads no captions.
class frmStart : public Screen
{
    Q_OBJECT

public:
    frmStart();

    QPushButton *cmdEnglish = nullptr;
    QPushButton *cmdFrancais = nullptr;
    QLabel *lblReferenceYrs = nullptr;
    ClickableLabel *lblLicenseAgreementE = nullptr;
    ClickableLabel *lblLicenseAgreementF = nullptr;

    // The window's title and the label name the years of the benchmarks in use.
    void showReferenceYears();

    void cmdEnglish_Click();
    void cmdFrancais_Click();
    void lblLicenseAgreementE_Click();
    void lblLicenseAgreementF_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void chooseLanguage(Language language);
};
