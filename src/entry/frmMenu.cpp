#include "entry/frmMenu.h"

#include "benchmarks/BenchmarksInUse.h"
#include "benchmarks/frmBenchmarkData.h"
#include "core/AppState.h"
#include "core/DatasetMapping.h"
#include "core/ExitQuestion.h"
#include "core/MenuMnemonics.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "search/frmSearch.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kSubRegionIndent = 22;

QLabel *headingLabel(const char *name, QWidget *parent, qreal scale = 1.0)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * scale);
    label->setFont(bold);
    return label;
}

QFrame *panel(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}
} // namespace

frmMenu::frmMenu()
{
    setObjectName(QStringLiteral("frmMenu"));

    auto *central = new QWidget(this);
    setCentralWidget(central);

    // One exclusive group for all nineteen, wherever each sits on the screen.
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (const DatasetOption &dataset : datasetOptions())
        m_options << createOption(dataset.optionName, central);
    optVol1 = option(QStringLiteral("optVol1"));
    optVol2 = option(QStringLiteral("optVol2"));
    optVol3 = option(QStringLiteral("optVol3"));
    optAtlantic = option(QStringLiteral("optAtlantic"));
    optNovaScotia = option(QStringLiteral("optNovaScotia"));
    optNewBrunswick = option(QStringLiteral("optNewBrunswick"));
    optNewfoundland = option(QStringLiteral("optNewfoundland"));
    optPEI = option(QStringLiteral("optPEI"));
    optQuebec = option(QStringLiteral("optQuebec"));
    optOntario = option(QStringLiteral("optOntario"));
    optPrairies = option(QStringLiteral("optPrairies"));
    optManitoba = option(QStringLiteral("optManitoba"));
    optSaskatchewan = option(QStringLiteral("optSaskatchewan"));
    optAlberta = option(QStringLiteral("optAlberta"));
    optBritishColumbia = option(QStringLiteral("optBritishColumbia"));
    optTerritories = option(QStringLiteral("optTerritories"));
    optNWT = option(QStringLiteral("optNWT"));
    optNunavut = option(QStringLiteral("optNunavut"));
    optYukon = option(QStringLiteral("optYukon"));

    lblInstructions = headingLabel("lblInstructions", central, 1.25);

    lblOR = headingLabel("lblOR", central, 1.1);
    lblOR->setAlignment(Qt::AlignCenter);

    lblDescription = headingLabel("lblDescription", central);
    txtDescription = new QPlainTextEdit(central);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    txtDescription->setReadOnly(true);
    txtDescription->setFixedHeight(96);
    // The heading names the box for screen readers.
    lblDescription->setBuddy(txtDescription);

    cmdSearch = new QPushButton(central);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setMinimumSize(130, 34);
    cmdSearch->setDefault(true);

    auto *searchRow = new QHBoxLayout;
    searchRow->addStretch();
    searchRow->addWidget(cmdSearch);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(18, 14, 18, 16);
    layout->setSpacing(8);
    layout->addWidget(lblInstructions);
    layout->addSpacing(4);
    layout->addWidget(buildCanadaGroup());
    layout->addWidget(lblOR);
    layout->addWidget(buildRegionGroup());
    layout->addSpacing(4);
    layout->addWidget(lblDescription);
    layout->addWidget(txtDescription);
    layout->addSpacing(4);
    layout->addLayout(searchRow);

    buildMenus();

    // One fixed size that holds the longer captions of either language.
    QSize size;
    for (const Language language : {Language::French, Language::English}) {
        applyCaptions(language);
        size = size.expandedTo(sizeHint());
    }
    applyCaptions(appState().gintLanguage);
    setFixedSize(size);
    centreOnScreen();

    for (QRadioButton *button : std::as_const(m_options))
        connect(button, &QRadioButton::clicked, this, [this, button] {
            txtDescription->setPlainText(fncGetDescription(button->objectName()));
        });
    connect(cmdSearch, &QPushButton::clicked, this, &frmMenu::cmdSearch_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMenu::mnuExit_Click);
    connect(mnuBenchmarkData, &QAction::triggered, this, &frmMenu::mnuBenchmarkData_Click);
}

void frmMenu::mnuBenchmarkData_Click()
{
    // Another set has other years and datasets: the screen shows them.
    frmBenchmarkData dialog([this] { Form_Activate(); }, this);
    dialog.exec();
}

QRadioButton *frmMenu::createOption(const char *name, QWidget *parent)
{
    auto *button = new QRadioButton(parent);
    button->setObjectName(QLatin1String(name));
    m_group->addButton(button);
    return button;
}

QRadioButton *frmMenu::option(const QString &optionName) const
{
    for (QRadioButton *button : m_options)
        if (button->objectName() == optionName)
            return button;
    return nullptr;
}

QWidget *frmMenu::buildCanadaGroup()
{
    QFrame *frame = panel(centralWidget());
    lblCanada = headingLabel("lblCanada", frame);
    lblVol1 = new QLabel(QStringLiteral("Volume 1"), frame);
    lblVol1->setObjectName(QStringLiteral("lblVol1"));
    lblVol2 = new QLabel(QStringLiteral("Volume 2"), frame);
    lblVol2->setObjectName(QStringLiteral("lblVol2"));
    lblVolume3 = new QLabel(QStringLiteral("Volume 3"), frame);
    lblVolume3->setObjectName(QStringLiteral("lblVolume3"));

    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(14, 10, 14, 12);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(6);
    grid->addWidget(lblCanada, 0, 0, 1, 3);
    const QList<QPair<QLabel *, QRadioButton *>> rows = {
        {lblVol1, optVol1}, {lblVol2, optVol2}, {lblVolume3, optVol3}};
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].second->setParent(frame);
        grid->addWidget(rows[row].first, row + 1, 0);
        grid->addWidget(rows[row].second, row + 1, 1);
    }
    grid->setColumnStretch(2, 1);
    return frame;
}

QWidget *frmMenu::buildRegionGroup()
{
    QFrame *frame = panel(centralWidget());
    lblRegProvTerr = headingLabel("lblRegProvTerr", frame);
    lblVol3 = new QLabel(frame);
    lblVol3->setObjectName(QStringLiteral("lblVol3"));
    QFont italic = lblVol3->font();
    italic.setItalic(true);
    lblVol3->setFont(italic);

    // Each region heads its provinces or territories, indented below it.
    struct Placement
    {
        QRadioButton *button;
        int column;
        bool indented;
    };
    const QList<Placement> placements = {
        {optAtlantic, 0, false},    {optNovaScotia, 0, true}, {optNewBrunswick, 0, true},
        {optNewfoundland, 0, true}, {optPEI, 0, true},        {optQuebec, 1, false},
        {optOntario, 1, false},     {optPrairies, 1, false},  {optManitoba, 1, true},
        {optSaskatchewan, 1, true}, {optAlberta, 1, true},    {optBritishColumbia, 2, false},
        {optTerritories, 2, false}, {optNWT, 2, true},        {optNunavut, 2, true},
        {optYukon, 2, true},
    };
    QVBoxLayout *columns[3];
    auto *columnRow = new QHBoxLayout;
    columnRow->setSpacing(24);
    for (QVBoxLayout *&column : columns) {
        column = new QVBoxLayout;
        column->setSpacing(6);
        columnRow->addLayout(column, 1);
    }
    for (const Placement &place : placements) {
        place.button->setParent(frame);
        auto *row = new QHBoxLayout;
        row->addSpacing(place.indented ? kSubRegionIndent : 0);
        row->addWidget(place.button, 1);
        columns[place.column]->addLayout(row);
    }
    for (QVBoxLayout *column : columns)
        column->addStretch();

    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(6);
    layout->addWidget(lblRegProvTerr);
    layout->addWidget(lblVol3);
    layout->addSpacing(4);
    layout->addLayout(columnRow);
    return frame;
}

void frmMenu::buildMenus()
{
    mnuFile = menuBar()->addMenu(QString());
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuBenchmarkData = mnuFile->addAction(QString());
    mnuBenchmarkData->setObjectName(QStringLiteral("mnuBenchmarkData"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QString());
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    languageHelp = LanguageHelpMenus::add(this);
}

void frmMenu::applyCaptions(Language language)
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    setWindowTitle(text(kMenuTitle).arg(referenceYearsDescending()));
    lblInstructions->setText(text(484));
    lblCanada->setText(text(486));
    lblRegProvTerr->setText(text(488));
    optVol1->setText(text(490));
    optVol2->setText(text(492));
    optVol3->setText(text(494));
    lblOR->setText(text(538));
    lblVol3->setText(text(494));
    optAtlantic->setText(text(416));
    optNovaScotia->setText(text(450));
    optNewfoundland->setText(text(446));
    optPEI->setText(text(448));
    optNewBrunswick->setText(text(452));
    optQuebec->setText(text(418));
    optOntario->setText(QStringLiteral("Ontario"));
    optPrairies->setText(QStringLiteral("Prairies"));
    optManitoba->setText(QStringLiteral("Manitoba"));
    optSaskatchewan->setText(QStringLiteral("Saskatchewan"));
    optAlberta->setText(QStringLiteral("Alberta"));
    optBritishColumbia->setText(text(414));
    optTerritories->setText(text(454));
    optYukon->setText(QStringLiteral("Yukon"));
    optNWT->setText(text(458));
    optNunavut->setText(QStringLiteral("Nunavut"));
    lblDescription->setText(QStringLiteral("Description"));
    cmdSearch->setText(text(504));
    mnuFile->setTitle(text(496));
    mnuBenchmarkData->setText(text(kBenchmarkDataMenu));
    mnuExit->setText(text(328));
    languageHelp.loadCaptions(language);
    assignMnemonics(menuBar());
    txtDescription->setPlainText(QString());
}

void frmMenu::subLoadCaptions()
{
    applyCaptions(appState().gintLanguage);
}

void frmMenu::reloadCaptions()
{
    subLoadCaptions();
    // The dataset recorded when the user left this screen keeps its caption in
    // the program's language; while the screen shows, Search records it.
    if (!isVisible())
        fncDetermineDataset();
}

void frmMenu::Form_Activate()
{
    subLoadCaptions();
    subVerifyDataAvailable();
}

void frmMenu::subVerifyDataAvailable()
{
    for (const DatasetOption &dataset : datasetOptions())
        subConnectToTable(QLatin1String(dataset.tablePrefix) +
                              QString::number(lastReferenceYear()) +
                              QLatin1String(kDatasetTableSuffix),
                          option(QLatin1String(dataset.optionName)));
}

void frmMenu::subConnectToTable(const QString &tableName, QRadioButton *option)
{
    const RecordSet rs = GetRS(appState().gcnReference,
                               QStringLiteral("select count(*) as NumRecords from ") + tableName,
                               QStringLiteral("read"));
    option->setEnabled(rs.field(QStringLiteral("NumRecords")).toLongLong() != 0);
}

QString frmMenu::fncGetDescription(const QString &optionName)
{
    const RecordSet rs = GetRS(appState().gcnReference,
                               QStringLiteral("Select * from datadescription where optname = ") +
                                   sqlQuote(optionName),
                               QStringLiteral("read"));
    // A missing row or a null description shows an empty box.
    if (rs.eof())
        return QString();
    return rs.text(appState().gintLanguage == Language::English ? QStringLiteral("descriptione")
                                                                : QStringLiteral("descriptionf"));
}

bool frmMenu::fncDetermineDataset()
{
    bool found = false;
    for (QRadioButton *button : std::as_const(m_options)) {
        if (!button->isChecked())
            continue;
        appState().gstrDatasetCaption = button->text();
        subSetDataTable(appState(), button->objectName());
        found = true;
    }
    return found;
}

void frmMenu::cmdSearch_Click()
{
    if (fncDetermineDataset()) {
        hide();
        frmSearch &search = ScreenRegistry::get<frmSearch>();
        search.subStartAfresh();
        search.showScreen();
    } else {
        ShowMessage(caption(kChooseDataset), MsgButtons::Ok, MsgIcon::None, QString(), this);
    }
}

void frmMenu::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && cmdSearch->isVisible() && cmdSearch->isEnabled()) {
        cmdSearch->click();
        return;
    }
    Screen::keyPressEvent(event);
}

void frmMenu::mnuExit_Click()
{
    askToExit(this);
}

void frmMenu::closeEvent(QCloseEvent *event)
{
    event->ignore();
    askToExit(this);
}
