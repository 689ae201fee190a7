#include "core/ProgramLanguage.h"

#include "core/AppState.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace {
// Qt's catalogues for the widgets the program shows: qtbase holds the
// dialogs, message boxes and context menus.
const char *const kQtCatalogues[] = {"qtbase"};

std::vector<std::unique_ptr<QTranslator>> &installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

void removeQtTranslations()
{
    for (const std::unique_ptr<QTranslator> &translator : installed())
        QCoreApplication::removeTranslator(translator.get());
    installed().clear();
}

// The file dialogs' type column asks for "Folder" under a context that
// Qt's catalogues do not translate yet; the file dialog's own context holds
// the same words.
class FileTypeTexts : public QTranslator
{
public:
    explicit FileTypeTexts(const QTranslator &catalogue) : m_catalogue(catalogue) {}

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        Q_UNUSED(disambiguation);
        return m_catalogue.translate("QFileDialog", sourceText, nullptr, n);
    }

    bool isEmpty() const override { return false; }

private:
    const QTranslator &m_catalogue;
};

void installQtTranslations(const QLocale &locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : kQtCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        // A missing catalogue leaves Qt's texts in English; the program runs on.
        if (!translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"),
                              folder) ||
            !QCoreApplication::installTranslator(translator.get()))
            continue;
        auto fileTypes = std::make_unique<FileTypeTexts>(*translator);
        installed().push_back(std::move(translator));
        if (QCoreApplication::installTranslator(fileTypes.get()))
            installed().push_back(std::move(fileTypes));
    }
}
} // namespace

void setProgramLanguage(Language language)
{
    appState().gintLanguage = language;
    removeQtTranslations();
    if (language == Language::French)
        installQtTranslations(QLocale(QLocale::French, QLocale::Canada));
}
