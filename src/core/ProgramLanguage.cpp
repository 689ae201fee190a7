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

void installQtTranslations(const QLocale &locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : kQtCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        // A missing catalogue leaves Qt's texts in English; the program runs on.
        if (translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            installed().push_back(std::move(translator));
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
