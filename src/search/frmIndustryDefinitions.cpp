#include "search/frmIndustryDefinitions.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "search/DefinitionPrinting.h"
#include "search/PrintWrapping.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kDesignTitle = "Title";
} // namespace

frmIndustryDefinitions::frmIndustryDefinitions()
{
    setObjectName(QStringLiteral("frmIndustryDefinitions"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    lblNAICS = new QLabel(QString::fromLatin1(kDesignTitle), central);
    lblNAICS->setObjectName(QStringLiteral("lblNAICS"));
    lblNAICS->setWordWrap(true);
    QFont titleFont = lblNAICS->font();
    titleFont.setBold(true);
    lblNAICS->setFont(titleFont);
    layout->addWidget(lblNAICS);

    txtDefinition = new QPlainTextEdit(central);
    txtDefinition->setObjectName(QStringLiteral("txtDefinition"));
    txtDefinition->setReadOnly(true);
    txtDefinition->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(txtDefinition, 1);

    auto *buttons = new QHBoxLayout;
    cmdPrint = new QPushButton(central);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdContinue = new QPushButton(central);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdContinue);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(560, 420);

    connect(cmdPrint, &QPushButton::clicked, this, &frmIndustryDefinitions::cmdPrint_Click);
    connect(cmdContinue, &QPushButton::clicked, this, &frmIndustryDefinitions::cmdContinue_Click);
    setEscapeAction([this] { cmdContinue_Click(); });
}

void frmIndustryDefinitions::loadIfUnloaded()
{
    if (!m_loaded)
        Form_Load();
}

void frmIndustryDefinitions::Form_Load()
{
    const Language language = appState().gintLanguage;
    lblNAICS->setText(QString::fromLatin1(kDesignTitle));
    txtDefinition->clear();
    centreOnScreen();
    cmdPrint->setText(ResourceString(58, language));
    cmdContinue->setText(ResourceString(336, language));
    setWindowTitle(ResourceString(334, language));
    m_loaded = true;
}

void frmIndustryDefinitions::unloadForm()
{
    m_loaded = false;
    txtDefinition->clear();
    hide();
}

void frmIndustryDefinitions::setTitleLine(const QString &text)
{
    lblNAICS->setText(text);
}

void frmIndustryDefinitions::setDefinition(const QString &text)
{
    txtDefinition->setPlainText(text);
}

void frmIndustryDefinitions::cmdPrint_Click()
{
    const bool french = appState().isFrench();
    const QString noPrinter = caption(kNoPrinterText);
    std::unique_ptr<QPrinter> printer = obtainPrinter();
    if (!printer) {
        // Without a printer the viewer says so and stays open.
        ShowMessage(noPrinter, MsgButtons::Ok, MsgIcon::Warning, QString(), this);
        return;
    }
    printer->setDocName(QStringLiteral("Quorvel – ") + windowTitle() + QStringLiteral(" – ") +
                        lblNAICS->text());
    // The text box keeps line breaks as line feeds; the wrapping rule counts
    // a line break as a carriage return and a line feed.
    const QVector<PrintLine> lines =
        fncDefinitionPrintLines(lblNAICS->text(), withCrLfLineBreaks(txtDefinition->toPlainText()));
    const PrintHeader header =
        definitionPrintHeader(lblNAICS->text(), QDate::currentDate(), french);
    const PrintChoice choice = askPrintSettings(*printer, this, 0, caption(kPreviewButton));
    if (choice == PrintChoice::Preview) {
        showPrintPreview(*printer, this,
                         [&](QPrinter &target) { printLines(target, lines, header); });
        return;
    }
    if (choice == PrintChoice::Print && !printLines(*printer, lines, header))
        ShowMessage(noPrinter, MsgButtons::Ok, MsgIcon::Warning, QString(), this);
}

void frmIndustryDefinitions::cmdContinue_Click()
{
    unloadForm();
}

void frmIndustryDefinitions::closeEvent(QCloseEvent *event)
{
    event->ignore();
    unloadForm();
}
