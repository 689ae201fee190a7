#include "core/UnicodeLike.h"

#include "core/SearchFold.h"

#include <sqlite3.h>

namespace {
bool matchFrom(const QString &p, qsizetype pi, const QString &t, qsizetype ti, QChar escape)
{
    while (pi < p.size()) {
        const QChar c = p.at(pi);
        if (!escape.isNull() && c == escape && pi + 1 < p.size()) {
            if (ti >= t.size() || p.at(pi + 1) != t.at(ti))
                return false;
            pi += 2;
            ++ti;
            continue;
        }
        if (c == QLatin1Char('%')) {
            while (pi < p.size() && p.at(pi) == QLatin1Char('%'))
                ++pi;
            if (pi == p.size())
                return true;
            for (qsizetype k = ti; k <= t.size(); ++k) {
                if (matchFrom(p, pi, t, k, escape))
                    return true;
            }
            return false;
        }
        if (ti >= t.size())
            return false;
        if (c != QLatin1Char('_') && c != t.at(ti))
            return false;
        ++pi;
        ++ti;
    }
    return ti == t.size();
}

QString textArgument(sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return bytes ? QString::fromUtf8(bytes, sqlite3_value_bytes(value)) : QString();
}

void likeFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QChar escape;
    if (argc == 3) {
        const QString e = textArgument(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.at(0);
    }
    // like(pattern, text[, escape]) is how SQLite calls "text LIKE pattern".
    const bool matched = unicodeLikeMatch(textArgument(argv[0]), textArgument(argv[1]), escape);
    sqlite3_result_int(context, matched ? 1 : 0);
}
} // namespace

bool unicodeLikeMatch(const QString &pattern, const QString &text, QChar escape)
{
    const QString foldedEscape = escape.isNull() ? QString() : foldForSearch(QString(escape));
    return matchFrom(foldForSearch(pattern), 0, foldForSearch(text), 0,
                     foldedEscape.size() == 1 ? foldedEscape.at(0) : escape);
}

bool registerUnicodeLike(sqlite3 *handle)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(handle, "like", 2, flags, nullptr, likeFunction, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_function(handle, "like", 3, flags, nullptr, likeFunction, nullptr,
                                   nullptr) == SQLITE_OK;
}
