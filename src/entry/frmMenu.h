#pragma once

#include "core/Screen.h"
#include "entry/LanguageHelpMenus.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The dataset selection screen: one of three Canada-wide volumes, or one of
// sixteen regions of volume 3. Options whose dataset table is empty are
// disabled; "Search" records the choice and moves on to the search screen.
class frmMenu : public Screen
{
    Q_OBJECT

public:
    frmMenu();

    // Records the selected option's caption (in the current language) and
    // its dataset; true when an option was selected.
    bool fncDetermineDataset();
    // The option's description in the current language; empty when the
    // reference database has none for it.
    QString fncGetDescription(const QString &optionName);
    void subVerifyDataAvailable();
    void subConnectToTable(const QString &tableName, QRadioButton *option);
    void subLoadCaptions();
    void reloadCaptions() override;

    // The nineteen options, in the order of the dataset mapping.
    const QList<QRadioButton *> &options() const { return m_options; }
    QRadioButton *option(const QString &optionName) const;

    void cmdSearch_Click();
    void mnuExit_Click();
    void mnuBenchmarkData_Click();

    QRadioButton *optVol1 = nullptr;
    QRadioButton *optVol2 = nullptr;
    QRadioButton *optVol3 = nullptr;
    QRadioButton *optAtlantic = nullptr;
    QRadioButton *optNovaScotia = nullptr;
    QRadioButton *optNewBrunswick = nullptr;
    QRadioButton *optNewfoundland = nullptr;
    QRadioButton *optPEI = nullptr;
    QRadioButton *optQuebec = nullptr;
    QRadioButton *optOntario = nullptr;
    QRadioButton *optPrairies = nullptr;
    QRadioButton *optManitoba = nullptr;
    QRadioButton *optSaskatchewan = nullptr;
    QRadioButton *optAlberta = nullptr;
    QRadioButton *optBritishColumbia = nullptr;
    QRadioButton *optTerritories = nullptr;
    QRadioButton *optNWT = nullptr;
    QRadioButton *optNunavut = nullptr;
    QRadioButton *optYukon = nullptr;

    QPlainTextEdit *txtDescription = nullptr;
    QPushButton *cmdSearch = nullptr;
    QLabel *lblInstructions = nullptr;
    QLabel *lblCanada = nullptr;
    QLabel *lblOR = nullptr;
    QLabel *lblRegProvTerr = nullptr;
    QLabel *lblVol3 = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblVol1 = nullptr;
    QLabel *lblVol2 = nullptr;
    QLabel *lblVolume3 = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuBenchmarkData = nullptr;
    // mnuLanguage (mnuEnglish, mnuFrench) and mnuHelp (mnuContents,
    // mnuTechnical, mnuAbout).
    LanguageHelpMenus languageHelp;

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;
    // Enter presses Search, the screen's default button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    QWidget *buildCanadaGroup();
    QWidget *buildRegionGroup();
    QRadioButton *createOption(const char *name, QWidget *parent);
    void applyCaptions(Language language);

    QButtonGroup *m_group = nullptr;
    QList<QRadioButton *> m_options;
};
