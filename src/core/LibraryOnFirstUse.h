#pragma once

#include <QLibrary>
#include <QString>
#include <QtDebug>
#include <mutex>
#include <type_traits>

// A C library the program loads the first time one of its functions is
// needed, rather than at every start: linked, each library and what it
// brings (libcrypto behind libzip and libxlsxwriter, TLS behind libpq and
// libqpdf) is mapped and relocated before the first window, for features
// most sessions never use. Its functions are kept in a table, filled once
// per process from whichever thread asks first; the library is never
// unloaded, since another thread may be using it.
template <typename Table> struct LoadedFunctions
{
    Table functions{};
    // Empty when the library and every function were found; otherwise why not.
    QString failure;
};

// Fills one slot of the table; the first symbol missing is remembered.
class LibrarySymbols
{
public:
    explicit LibrarySymbols(QLibrary &library) : m_library(library) {}
    template <typename Function> void operator()(Function &slot, const char *symbol)
    {
        slot = reinterpret_cast<std::remove_reference_t<Function>>(m_library.resolve(symbol));
        if (!slot && m_missing.isEmpty())
            m_missing = m_library.fileName() + QStringLiteral(" has no ") + QLatin1String(symbol);
    }
    QString missing() const { return m_missing; }

private:
    QLibrary &m_library;
    QString m_missing;
};

// The table of `name`.so.`version`, loaded on the first call; `fill` names
// each function (see LibZip.cpp for an example). One table per Table type.
template <typename Table, typename Fill>
const LoadedFunctions<Table> &libraryOnFirstUse(const char *name, int version, Fill fill)
{
    static LoadedFunctions<Table> loaded;
    static std::once_flag once;
    std::call_once(once, [&] {
        static QLibrary library(QString::fromLatin1(name), version);
        if (!library.load()) {
            loaded.failure = library.errorString();
            return;
        }
        LibrarySymbols symbols(library);
        fill(loaded.functions, symbols);
        loaded.failure = symbols.missing();
    });
    return loaded;
}

// The table, or nullptr when the library cannot serve; the first such call
// warns, naming what is missing.
template <typename Table>
const Table *functionsOrNull(const LoadedFunctions<Table> &loaded, const char *library)
{
    if (loaded.failure.isEmpty())
        return &loaded.functions;
    static std::once_flag warned;
    std::call_once(warned, [&] { qWarning("%s: %s", library, qPrintable(loaded.failure)); });
    return nullptr;
}
