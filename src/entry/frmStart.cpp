#include "entry/frmStart.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"
#include "core/ExitQuestion.h"
#include "core/HelpLauncher.h"
#include "core/LanguageSwitch.h"
#include "core/ScreenRegistry.h"
#include "entry/frmMenu.h"
#include "widgets/ClickableLabel.h"
#include "widgets/PictureLabel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmStart::frmStart()
{
    setObjectName(QStringLiteral("frmStart"));

    auto *central = new QWidget(this);
    setCentralWidget(central);

    lblReferenceYrs = new QLabel(central);
    lblReferenceYrs->setObjectName(QStringLiteral("lblReferenceYrs"));
    showReferenceYears();
    lblReferenceYrs->setAlignment(Qt::AlignCenter);
    QFont yearsFont = lblReferenceYrs->font();
    yearsFont.setPointSizeF(yearsFont.pointSizeF() * 1.15);
    yearsFont.setBold(true);
    lblReferenceYrs->setFont(yearsFont);

    cmdEnglish = new QPushButton(QStringLiteral("English"), central);
    cmdEnglish->setObjectName(QStringLiteral("cmdEnglish"));
    cmdFrancais = new QPushButton(QStringLiteral("Français"), central);
    cmdFrancais->setObjectName(QStringLiteral("cmdFrancais"));
    for (QPushButton *button : {cmdEnglish, cmdFrancais}) {
        button->setMinimumSize(150, 40);
        QFont buttonFont = button->font();
        buttonFont.setPointSizeF(buttonFont.pointSizeF() * 1.15);
        button->setFont(buttonFont);
    }

    lblLicenseAgreementE = new ClickableLabel(central);
    lblLicenseAgreementE->setObjectName(QStringLiteral("lblLicenseAgreementE"));
    lblLicenseAgreementE->setText(QStringLiteral("License Agreement"));
    lblLicenseAgreementF = new ClickableLabel(central);
    lblLicenseAgreementF->setObjectName(QStringLiteral("lblLicenseAgreementF"));
    lblLicenseAgreementF->setText(QStringLiteral("Entente d'exploitation sous licence"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pictureLabel(QStringLiteral("start-quartiles"), {48, 48}, central));
    buttons->addSpacing(16);
    buttons->addWidget(cmdEnglish);
    buttons->addSpacing(12);
    buttons->addWidget(cmdFrancais);
    buttons->addSpacing(16);
    buttons->addWidget(pictureLabel(QStringLiteral("start-ledger"), {48, 48}, central));
    buttons->addStretch();

    auto *licenses = new QHBoxLayout;
    licenses->addWidget(lblLicenseAgreementE);
    licenses->addStretch();
    licenses->addWidget(lblLicenseAgreementF);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addWidget(pictureLabel(QStringLiteral("start-banner"), {520, 96}, central), 0,
                      Qt::AlignHCenter);
    layout->addSpacing(18);
    layout->addWidget(lblReferenceYrs);
    layout->addSpacing(18);
    layout->addLayout(buttons);
    layout->addStretch();
    auto *rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addLayout(licenses);

    setFixedSize(560, 330);
    centreOnScreen();

    connect(cmdEnglish, &QPushButton::clicked, this, &frmStart::cmdEnglish_Click);
    connect(cmdFrancais, &QPushButton::clicked, this, &frmStart::cmdFrancais_Click);
    connect(lblLicenseAgreementE, &ClickableLabel::clicked, this,
            &frmStart::lblLicenseAgreementE_Click);
    connect(lblLicenseAgreementF, &ClickableLabel::clicked, this,
            &frmStart::lblLicenseAgreementF_Click);
}

void frmStart::showReferenceYears()
{
    setWindowTitle(QStringLiteral("ROVAL") + QStringLiteral(" - ") + QStringLiteral("LAVOR") +
                   QStringLiteral("   ") + referenceYearsDescending());
    // Ascending here, while the window title lists the years descending.
    lblReferenceYrs->setText(QStringLiteral("Reference Years / Années de référence") +
                             QLatin1Char(' ') + referenceYearsAscending());
}

void frmStart::cmdEnglish_Click()
{
    chooseLanguage(Language::English);
}

void frmStart::cmdFrancais_Click()
{
    chooseLanguage(Language::French);
}

void frmStart::chooseLanguage(Language language)
{
    // The language is set before the dataset screen exists, so it loads in it.
    switchProgramLanguage(language);
    hide();
    ScreenRegistry::get<frmMenu>().showScreen();
}

// The label decides the document's language, whatever the program's language.
void frmStart::lblLicenseAgreementE_Click()
{
    GetHelpTopic(QLatin1String(kConceptsHelpEnglish), kLicenseAgreementTopic);
}

void frmStart::lblLicenseAgreementF_Click()
{
    GetHelpTopic(QLatin1String(kConceptsHelpFrench), kLicenseAgreementTopic);
}

void frmStart::closeEvent(QCloseEvent *event)
{
    event->ignore();
    askToExit(this);
}
