#include "core/UnicodeLike.h"

#include "core/SearchFold.h"

#include <QMutex>
#include <sqlite3.h>

#include <memory>

namespace {
// The escape character as the folded pattern holds it.
QChar foldedEscape(QChar escape)
{
    if (escape.isNull())
        return escape;
    const QString folded = foldForSearch(QString(escape));
    return folded.size() == 1 ? folded.at(0) : escape;
}
} // namespace

LikePattern::LikePattern(const QString &pattern, QChar escape)
    : m_escapeArgument(escape), m_escape(foldedEscape(escape))
{
    const QString folded = foldForSearch(pattern);
    m_tokens.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded.at(i);
        // An escape as the last character has nothing to make literal: it
        // stands for itself, wildcard or not.
        if (!m_escape.isNull() && c == m_escape && i + 1 < folded.size()) {
            m_tokens.append({Kind::Literal, folded.at(++i)});
        } else if (c == QLatin1Char('%')) {
            // A run of '%' means no more than one.
            if (m_tokens.isEmpty() || m_tokens.constLast().kind != Kind::AnyRun)
                m_tokens.append({Kind::AnyRun, QChar()});
        } else if (c == QLatin1Char('_')) {
            m_tokens.append({Kind::AnyOne, QChar()});
        } else {
            m_tokens.append({Kind::Literal, c});
        }
    }
}

bool LikePattern::matchesFolded(const QString &text) const
{
    // Two pointers; on a mismatch only the last '%' is retried, one character
    // further along the text. Earlier '%'s never need revisiting: whatever
    // they could still absorb, the last one absorbs as well.
    const qsizetype patternSize = m_tokens.size();
    qsizetype p = 0;
    qsizetype t = 0;
    qsizetype lastRun = -1;
    qsizetype runStart = 0;
    while (t < text.size()) {
        if (p < patternSize && m_tokens.at(p).kind == Kind::AnyRun) {
            lastRun = p++;
            runStart = t;
        } else if (p < patternSize && (m_tokens.at(p).kind == Kind::AnyOne ||
                                       m_tokens.at(p).character == text.at(t))) {
            ++p;
            ++t;
        } else if (lastRun >= 0) {
            p = lastRun + 1;
            t = ++runStart;
        } else {
            return false;
        }
    }
    while (p < patternSize && m_tokens.at(p).kind == Kind::AnyRun)
        ++p;
    return p == patternSize;
}

bool LikePattern::matches(const QString &text) const
{
    return matchesFolded(foldForSearch(text));
}

namespace {
QString textArgument(sqlite3_value *value)
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return bytes ? QString::fromUtf8(bytes, sqlite3_value_bytes(value)) : QString();
}

using SharedPattern = std::shared_ptr<const LikePattern>;

// The last pattern read on a connection. A search runs several statements,
// and a statement may hold several `like`s, all with the same keyword: it is
// folded once for all of them.
struct LastPattern
{
    QMutex mutex;
    QString text;
    SharedPattern pattern;
};

SharedPattern patternFor(LastPattern &last, const QString &text, QChar escape)
{
    QMutexLocker lock(&last.mutex);
    if (!last.pattern || last.text != text || last.pattern->escapeArgument() != escape) {
        last.pattern = std::make_shared<const LikePattern>(text, escape);
        last.text = text;
    }
    return last.pattern;
}

void deletePattern(void *pattern)
{
    delete static_cast<SharedPattern *>(pattern);
}

void deleteLastPattern(void *last)
{
    delete static_cast<LastPattern *>(last);
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
    // A pattern that stays the same for the statement (a literal or a bound
    // keyword) is looked up once; SQLite keeps it for the following rows.
    const QString text = textArgument(argv[1]);
    if (const auto *cached = static_cast<const SharedPattern *>(sqlite3_get_auxdata(context, 0));
        cached && (*cached)->escapeArgument() == escape) {
        sqlite3_result_int(context, (*cached)->matches(text) ? 1 : 0);
        return;
    }
    auto pattern = std::make_unique<SharedPattern>(patternFor(
        *static_cast<LastPattern *>(sqlite3_user_data(context)), textArgument(argv[0]), escape));
    sqlite3_result_int(context, (*pattern)->matches(text) ? 1 : 0);
    // Last: SQLite may destroy it at once (a pattern that changes per row).
    sqlite3_set_auxdata(context, 0, pattern.release(), deletePattern);
}
} // namespace

bool registerUnicodeLike(sqlite3 *handle)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    // Each form keeps its connection's last pattern; SQLite frees it with the
    // function, or at once when the function cannot be created.
    for (const int arguments : {2, 3}) {
        if (sqlite3_create_function_v2(handle, "like", arguments, flags, new LastPattern,
                                       likeFunction, nullptr, nullptr,
                                       deleteLastPattern) != SQLITE_OK)
            return false;
    }
    return true;
}
