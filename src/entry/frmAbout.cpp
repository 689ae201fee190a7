#include "entry/frmAbout.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"
#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "widgets/PictureLabel.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *namedLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));

    auto *central = new QWidget(this);
    setCentralWidget(central);

    QLabel *emblem = pictureLabel(QStringLiteral("quorvel-emblem"), {64, 64}, central);

    lblTitle = namedLabel("lblTitle", central);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    lblTitle->setFont(titleFont);

    lblVersion = namedLabel("lblVersion", central);
    lblVersion->setText(QStringLiteral("Version 2006.1"));

    auto *titleBlock = new QVBoxLayout;
    titleBlock->setSpacing(2);
    titleBlock->addStretch();
    titleBlock->addWidget(lblTitle);
    titleBlock->addWidget(lblVersion);
    titleBlock->addStretch();

    auto *header = new QHBoxLayout;
    header->setSpacing(14);
    header->addWidget(emblem);
    header->addLayout(titleBlock, 1);

    fraContact = new QGroupBox(central);
    fraContact->setObjectName(QStringLiteral("fraContact"));
    lblStats = namedLabel("lblStats", fraContact);
    QFont publisherFont = lblStats->font();
    publisherFont.setBold(true);
    lblStats->setFont(publisherFont);
    lblStreet = namedLabel("lblStreet", fraContact);
    lblProv = namedLabel("lblProv", fraContact);
    lblSubjectMatter = namedLabel("lblSubjectMatter", fraContact);
    lblTechnical = namedLabel("lblTechnical", fraContact);
    // The fax line reads the same in both languages and is never reloaded.
    lblFax = namedLabel("lblFax", fraContact);
    lblFax->setText(QStringLiteral("Fax / Télécopieur : 613-555-0199"));
    lblEmail = namedLabel("lblEmail", fraContact);

    auto *contact = new QVBoxLayout(fraContact);
    contact->setContentsMargins(16, 12, 16, 14);
    contact->setSpacing(3);
    contact->addWidget(lblStats);
    contact->addWidget(lblStreet);
    contact->addWidget(lblProv);
    contact->addSpacing(8);
    contact->addWidget(lblSubjectMatter);
    contact->addWidget(lblTechnical);
    contact->addWidget(lblFax);
    contact->addSpacing(8);
    contact->addWidget(lblEmail);

    lblSampleData = namedLabel("lblSampleData", central);
    lblSampleData->setWordWrap(true);
    QFont noticeFont = lblSampleData->font();
    noticeFont.setItalic(true);
    lblSampleData->setFont(noticeFont);

    // Where the saved statements are, so that the user can back them up.
    lblStatementsFile = namedLabel("lblStatementsFile", central);
    lblStatementsFile->setWordWrap(true);

    cmdReturn = new QPushButton(central);
    cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    cmdReturn->setMinimumSize(120, 32);
    cmdReturn->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdReturn);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(10);
    layout->addLayout(header);
    layout->addSpacing(4);
    layout->addWidget(fraContact);
    layout->addWidget(lblSampleData);
    layout->addWidget(lblStatementsFile);
    layout->addStretch();
    layout->addLayout(buttons);

    // One fixed size that holds the longer captions of either language.
    lblSampleData->setFixedWidth(440);
    lblStatementsFile->setFixedWidth(440);
    QSize size;
    for (const Language language : {Language::French, Language::English}) {
        applyCaptions(language);
        size = size.expandedTo(sizeHint());
    }
    applyCaptions(appState().gintLanguage);
    setFixedSize(size);
    centreOnScreen();

    connect(cmdReturn, &QPushButton::clicked, this, &frmAbout::cmdReturn_Click);
    setEscapeAction([this] { cmdReturn_Click(); });
}

void frmAbout::applyCaptions(Language language)
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    lblTitle->setText(text(2));
    lblStats->setText(text(340));
    lblStreet->setText(text(342));
    lblProv->setText(text(344));
    lblSubjectMatter->setText(text(346));
    lblTechnical->setText(text(348));
    setWindowTitle(text(566));
    cmdReturn->setText(text(568));
    lblEmail->setText(text(570));
    // The sample's notice, or the name and source of the benchmark set in use.
    lblSampleData->setText(benchmarkNote(language));
    lblStatementsFile->setText(text(kStatementsFileText).arg(UserDatabasePath()));
}

void frmAbout::subLoadCaptions()
{
    applyCaptions(appState().gintLanguage);
}

void frmAbout::Form_Activate()
{
    subLoadCaptions();
}

void frmAbout::cmdReturn_Click()
{
    // Hiding ends the modal showing; the calling screen carries on.
    hide();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    cmdReturn_Click();
    event->accept();
}
