#include "core/ScreenRegistry.h"
#include "search/DefinitionPrinting.h"
#include "search/OpenIndustryDef.h"
#include "search/PrintWrapping.h"
#include "search/frmIndustryDefinitions.h"
#include "support/SearchFixture.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

using testsupport::EndRecorder;
using testsupport::MessageRecorder;

// The industry definition viewer: opening, reuse, unloading and printing.
class tst_frmIndustryDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opens_data();
    void opens();
    void reusedWhileOpenReloadedAfterBack();
    void unknownCodeKeepsTitleLine();
    void printsToPdf();
    void noPrinterKeepsRunning();
    void printedPageHeaderAndIndent_data();
    void printedPageHeaderAndIndent();
    void cancelledPrintPrintsNothing();
    void escapeGoesBackAndOpenerOwns();

private:
    frmIndustryDefinitions &viewer() { return ScreenRegistry::get<frmIndustryDefinitions>(); }
    QString buttonText(const char *name)
    {
        return viewer().findChild<QPushButton *>(QLatin1String(name))->text();
    }
    // The title line and the definition as the window shows them.
    QString shownTitleLine()
    {
        return viewer().findChild<QLabel *>(QStringLiteral("lblNAICS"))->text();
    }
    QString shownDefinition()
    {
        return viewer().findChild<QPlainTextEdit *>(QStringLiteral("txtDefinition"))->toPlainText();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::StateScope> m_state;
    QStringList m_jobNames;
};

namespace {
struct PrintedWord
{
    QString text;
    double x = 0;
    double y = 0;
};

// The words of a PDF's first page with their left and top edges, read by
// the system's pdftotext.
QList<PrintedWord> printedWords(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    QList<PrintedWord> words;
    auto it = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        words.append(
            {match.captured(3), match.captured(1).toDouble(), match.captured(2).toDouble()});
    }
    return words;
}

PrintedWord findWord(const QList<PrintedWord> &words, const QString &text, double below = -1)
{
    for (const PrintedWord &w : words)
        if (w.text == text && w.y > below)
            return w;
    return {};
}
} // namespace

void tst_frmIndustryDefinitions::init()
{
    m_state = std::make_unique<testsupport::StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(searchfixture::openFixture(*m_dir));
    m_jobNames.clear();
    // The print dialog is answered "Print" unless a test says otherwise.
    setPrintDialogRunner([this](QPrintDialog &dialog) {
        m_jobNames << dialog.printer()->docName();
        return PrintChoice::Print;
    });
}

void tst_frmIndustryDefinitions::cleanup()
{
    m_state.reset();
    m_dir.reset();
}

void tst_frmIndustryDefinitions::opens_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("titleLine");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("windowTitle");
    QTest::addColumn<QString>("print");
    QTest::addColumn<QString>("back");
    QTest::newRow("en:with a line break") << Language::English << "236110"
                                          << "236110 - Residential building construction"
                                          << "Builds houses.\nAlso renovates them."
                                          << "Industry Definition"
                                          << "Print"
                                          << "Back";
    QTest::newRow("fr") << Language::French << "236110"
                        << "236110 - Construction résidentielle"
                        << "Construit des maisons."
                        << "Définition de l'industrie"
                        << "Imprimer"
                        << "Retourner";
    QTest::newRow("en:null definition") << Language::English << "445110"
                                        << "445110 - Grocery stores"
                                        << ""
                                        << "Industry Definition"
                                        << "Print"
                                        << "Back";
    QTest::newRow("en:industry outside the dataset") << Language::English << "722511"
                                                     << "722511 - Full-service restaurants"
                                                     << "Serves meals."
                                                     << "Industry Definition"
                                                     << "Print"
                                                     << "Back";
    QTest::newRow("en:empty code opens the design caption") << Language::English << ""
                                                            << "Title"
                                                            << ""
                                                            << "Industry Definition"
                                                            << "Print"
                                                            << "Back";
}

void tst_frmIndustryDefinitions::opens()
{
    QFETCH(Language, language);
    QFETCH(QString, code);
    QFETCH(QString, titleLine);
    QFETCH(QString, definition);
    QFETCH(QString, windowTitle);
    QFETCH(QString, print);
    QFETCH(QString, back);
    appState().gintLanguage = language;
    gsubOpenIndustryDef(code);
    QVERIFY(viewer().isVisible());
    QCOMPARE(Screen::lastActiveScreen(), &viewer());
    QCOMPARE(shownTitleLine(), titleLine);
    QCOMPARE(shownDefinition(), definition);
    QCOMPARE(viewer().windowTitle(), windowTitle);
    QCOMPARE(buttonText("cmdPrint"), print);
    QCOMPARE(buttonText("cmdContinue"), back);
}

void tst_frmIndustryDefinitions::reusedWhileOpenReloadedAfterBack()
{
    gsubOpenIndustryDef(QStringLiteral("236110"));
    frmIndustryDefinitions *first = &viewer();
    gsubOpenIndustryDef(QStringLiteral("448140"));
    QCOMPARE(&viewer(), first);
    QCOMPARE(shownTitleLine(), QStringLiteral("448140 - Family clothing stores"));
    QCOMPARE(shownDefinition(), QStringLiteral("Sells clothing."));

    // A language switch does not reach the open viewer.
    appState().gintLanguage = Language::French;
    QCOMPARE(buttonText("cmdPrint"), QStringLiteral("Print"));
    QCOMPARE(viewer().windowTitle(), QStringLiteral("Industry Definition"));

    viewer().findChild<QPushButton *>(QStringLiteral("cmdContinue"))->click();
    QVERIFY(!viewer().isVisible());
    QVERIFY(!viewer().isFormLoaded());
    QCOMPARE(shownDefinition(), QString());

    gsubOpenIndustryDef(QStringLiteral("448140"));
    QCOMPARE(buttonText("cmdPrint"), QStringLiteral("Imprimer"));
    QCOMPARE(buttonText("cmdContinue"), QStringLiteral("Retourner"));
    QCOMPARE(viewer().windowTitle(), QStringLiteral("Définition de l'industrie"));
    QCOMPARE(shownTitleLine(), QStringLiteral("448140 - Magasins de vêtements pour la famille"));
    QCOMPARE(shownDefinition(), QStringLiteral("Vend des vêtements."));

    // Closing the window unloads it like "Back".
    viewer().close();
    QVERIFY(!viewer().isVisible());
    QVERIFY(!viewer().isFormLoaded());
}

void tst_frmIndustryDefinitions::unknownCodeKeepsTitleLine()
{
    gsubOpenIndustryDef(QStringLiteral("236110"));
    gsubOpenIndustryDef(QStringLiteral("000000"));
    QCOMPARE(shownTitleLine(), QStringLiteral("236110 - Residential building construction"));
    QCOMPARE(shownDefinition(), QString());

    viewer().cmdContinue_Click();
    gsubOpenIndustryDef(QStringLiteral("000000"));
    QCOMPARE(shownTitleLine(), QStringLiteral("Title"));
}

void tst_frmIndustryDefinitions::printsToPdf()
{
    const QString pdf = m_dir->filePath(QStringLiteral("definition.pdf"));
    int printers = 0;
    setPrinterProvider([&] {
        ++printers;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    gsubOpenIndustryDef(QStringLiteral("236110"));
    MessageRecorder messages;
    viewer().findChild<QPushButton *>(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(printers, 1);
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(QFileInfo(pdf).size() > 0);

    // What the print lays out from the viewer's text: the line break of the
    // definition starts a new indented line, with no empty line between.
    const QString indent(kPrintIndent, QLatin1Char(' '));
    const QVector<PrintLine> lines =
        fncDefinitionPrintLines(shownTitleLine(), withCrLfLineBreaks(shownDefinition()));
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.at(4).text,
             indent + QStringLiteral("236110 - Residential building construction"));
    QCOMPARE(lines.at(8).text, indent + QStringLiteral("Builds houses."));
    QCOMPARE(lines.at(9).text, indent + QStringLiteral("Also renovates them."));
    QVERIFY(viewer().isVisible());
}

void tst_frmIndustryDefinitions::noPrinterKeepsRunning()
{
    setPrinterProvider([] { return std::unique_ptr<QPrinter>(); });
    EndRecorder ending;
    for (const Language language : {Language::English, Language::French}) {
        appState().gintLanguage = language;
        gsubOpenIndustryDef(QStringLiteral("236110"));
        MessageRecorder messages;
        viewer().cmdPrint_Click();
        QCOMPARE(messages.texts(),
                 QStringList{language == Language::English
                                 ? QStringLiteral("There is no printer connected to your computer.")
                                 : QStringLiteral(
                                       "Il n'y a pas d'imprimante de rattaché à votre machine.")});
        QVERIFY(viewer().isVisible());
        viewer().cmdContinue_Click();
    }
    QVERIFY(!ending.ended());
}

void tst_frmIndustryDefinitions::printedPageHeaderAndIndent_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("jobName");
    QTest::addColumn<QString>("firstWord");
    QTest::newRow("en")
        << Language::English
        << "Quorvel – Industry Definition – 236110 - Residential building construction"
        << "Builds";
    QTest::newRow("fr")
        << Language::French
        << "Quorvel – Définition de l'industrie – 236110 - Construction résidentielle"
        << "Construit";
}

// Each page starts with the industry and the day; the title and the text
// share one left edge.
void tst_frmIndustryDefinitions::printedPageHeaderAndIndent()
{
    QFETCH(Language, language);
    QFETCH(QString, jobName);
    QFETCH(QString, firstWord);
    appState().gintLanguage = language;
    const QString pdf = m_dir->filePath(QStringLiteral("header.pdf"));
    setPrinterProvider([pdf] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    gsubOpenIndustryDef(QStringLiteral("236110"));
    viewer().cmdPrint_Click();
    QCOMPARE(m_jobNames, QStringList{jobName});

    const QList<PrintedWord> words = printedWords(pdf);
    QVERIFY2(!words.isEmpty(), "pdftotext read no words");
    // The header: the code at the top, the day at the right of the same line.
    const PrintedWord headerCode = words.first();
    QCOMPARE(headerCode.text, QStringLiteral("236110"));
    const QString day =
        definitionPrintHeader(QString(), QDate::currentDate(), language == Language::French).date;
    const PrintedWord year = findWord(words, day.section(QLatin1Char(' '), -1));
    QVERIFY(year.x > 300);
    QVERIFY(qAbs(year.y - headerCode.y) < 2);
    // The title below it and the first word of the text start at the same x.
    const PrintedWord title = findWord(words, QStringLiteral("236110"), headerCode.y + 20);
    const PrintedWord body = findWord(words, firstWord);
    QVERIFY(title.y > headerCode.y);
    QVERIFY(body.y > title.y);
    QVERIFY2(qAbs(title.x - body.x) < 0.5,
             qPrintable(QStringLiteral("title at %1, text at %2").arg(title.x).arg(body.x)));
    QVERIFY(title.x > headerCode.x + 20); // the one indentation
}

void tst_frmIndustryDefinitions::cancelledPrintPrintsNothing()
{
    const QString pdf = m_dir->filePath(QStringLiteral("cancelled.pdf"));
    setPrinterProvider([pdf] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    setPrintDialogRunner([](QPrintDialog &) { return PrintChoice::Cancel; });
    gsubOpenIndustryDef(QStringLiteral("236110"));
    MessageRecorder messages;
    viewer().cmdPrint_Click();
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(messages.texts(), QStringList());
    QVERIFY(viewer().isVisible());
}

void tst_frmIndustryDefinitions::escapeGoesBackAndOpenerOwns()
{
    Screen opener;
    opener.showScreen();
    gsubOpenIndustryDef(QStringLiteral("236110"));
    QCOMPARE(viewer().parentWidget(), &opener);
    QVERIFY(viewer().isWindow());
    QTest::keyClick(viewer().findChild<QPlainTextEdit *>(QStringLiteral("txtDefinition")),
                    Qt::Key_Escape);
    QVERIFY(!viewer().isVisible());
    QVERIFY(!viewer().isFormLoaded());
    QCOMPARE(Screen::lastActiveScreen(), &opener);
}

QUORVEL_TEST_MAIN(tst_frmIndustryDefinitions)
#include "tst_frmIndustryDefinitions.moc"
