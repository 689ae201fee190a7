#include "reports/PdfFinish.h"

#include "core/LibraryOnFirstUse.h"

#include <QScopeGuard>
#include <cstdlib>
#include <pwd.h>
#include <qpdf/qpdf-c.h>
#include <set>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// qpdf's C functions, loaded at the first PDF written (see
// LibraryOnFirstUse.h): most sessions write no PDF.
struct LibQpdf
{
    decltype(&::qpdf_init) init;
    decltype(&::qpdf_cleanup) cleanup;
    decltype(&::qpdf_set_suppress_warnings) setSuppressWarnings;
    decltype(&::qpdf_read_memory) readMemory;
    decltype(&::qpdf_get_trailer) getTrailer;
    decltype(&::qpdf_get_root) getRoot;
    decltype(&::qpdf_get_object_by_id) getObjectById;
    decltype(&::qpdf_make_indirect_object) makeIndirectObject;
    decltype(&::qpdf_oh_is_dictionary) isDictionary;
    decltype(&::qpdf_oh_is_stream) isStream;
    decltype(&::qpdf_oh_has_key) hasKey;
    decltype(&::qpdf_oh_get_key) getKey;
    decltype(&::qpdf_oh_replace_key) replaceKey;
    decltype(&::qpdf_oh_get_int_value_as_int) intValue;
    decltype(&::qpdf_oh_get_object_id) objectId;
    decltype(&::qpdf_oh_new_null) newNull;
    decltype(&::qpdf_oh_new_dictionary) newDictionary;
    decltype(&::qpdf_oh_new_unicode_string) newUnicodeString;
    decltype(&::qpdf_oh_get_stream_data) getStreamData;
    decltype(&::qpdf_oh_replace_stream_data) replaceStreamData;
    decltype(&::qpdf_init_write_memory) initWriteMemory;
    decltype(&::qpdf_write) write;
    decltype(&::qpdf_get_buffer_length) bufferLength;
    decltype(&::qpdf_get_buffer) buffer;
    decltype(&::qpdf_has_error) hasError;
};

// The table, or nothing when libqpdf or one of its functions is missing.
const LibQpdf *libqpdf()
{
    const auto &loaded = libraryOnFirstUse<LibQpdf>("qpdf", 29, [](LibQpdf &f, LibrarySymbols &s) {
        s(f.init, "qpdf_init");
        s(f.cleanup, "qpdf_cleanup");
        s(f.setSuppressWarnings, "qpdf_set_suppress_warnings");
        s(f.readMemory, "qpdf_read_memory");
        s(f.getTrailer, "qpdf_get_trailer");
        s(f.getRoot, "qpdf_get_root");
        s(f.getObjectById, "qpdf_get_object_by_id");
        s(f.makeIndirectObject, "qpdf_make_indirect_object");
        s(f.isDictionary, "qpdf_oh_is_dictionary");
        s(f.isStream, "qpdf_oh_is_stream");
        s(f.hasKey, "qpdf_oh_has_key");
        s(f.getKey, "qpdf_oh_get_key");
        s(f.replaceKey, "qpdf_oh_replace_key");
        s(f.intValue, "qpdf_oh_get_int_value_as_int");
        s(f.objectId, "qpdf_oh_get_object_id");
        s(f.newNull, "qpdf_oh_new_null");
        s(f.newDictionary, "qpdf_oh_new_dictionary");
        s(f.newUnicodeString, "qpdf_oh_new_unicode_string");
        s(f.getStreamData, "qpdf_oh_get_stream_data");
        s(f.replaceStreamData, "qpdf_oh_replace_stream_data");
        s(f.initWriteMemory, "qpdf_init_write_memory");
        s(f.write, "qpdf_write");
        s(f.bufferLength, "qpdf_get_buffer_length");
        s(f.buffer, "qpdf_get_buffer");
        s(f.hasError, "qpdf_has_error");
    });
    return loaded.failure.isEmpty() ? &loaded.functions : nullptr;
}

struct CMapToken
{
    qsizetype start = 0;  // first hex digit, or the bracket
    qsizetype length = 0; // hex digits; 0 for a bracket
    char bracket = 0;     // '[' or ']', or 0 for a hex string
};

std::vector<CMapToken> tokensBetween(const QByteArray &cmap, qsizetype from, qsizetype to)
{
    std::vector<CMapToken> tokens;
    for (qsizetype at = from; at < to; ++at) {
        const char c = cmap.at(at);
        if (c == '[' || c == ']') {
            tokens.push_back({at, 0, c});
        } else if (c == '<') {
            const qsizetype close = cmap.indexOf('>', at);
            if (close < 0 || close > to)
                break;
            tokens.push_back({at + 1, close - at - 1, 0});
            at = close;
        }
    }
    return tokens;
}

bool isTab(const QByteArray &cmap, const CMapToken &token)
{
    return token.bracket == 0 &&
           cmap.mid(token.start, token.length).compare("0009", Qt::CaseInsensitive) == 0;
}

bool sameHex(const QByteArray &cmap, const CMapToken &a, const CMapToken &b)
{
    return cmap.mid(a.start, a.length).compare(cmap.mid(b.start, b.length), Qt::CaseInsensitive) ==
           0;
}

void mendTarget(QByteArray &cmap, const CMapToken &token)
{
    if (isTab(cmap, token))
        cmap.replace(token.start, token.length, "0020");
}

// <source> <target> pairs.
void mendChars(QByteArray &cmap, const std::vector<CMapToken> &tokens)
{
    for (std::size_t i = 1; i < tokens.size(); i += 2)
        mendTarget(cmap, tokens[i]);
}

// <low> <high> <first target>, or <low> <high> [<target> ...].
void mendRanges(QByteArray &cmap, const std::vector<CMapToken> &tokens)
{
    std::size_t i = 0;
    while (i + 2 < tokens.size()) {
        const CMapToken &low = tokens[i];
        const CMapToken &high = tokens[i + 1];
        if (tokens[i + 2].bracket == '[') {
            std::size_t j = i + 3;
            for (; j < tokens.size() && tokens[j].bracket != ']'; ++j)
                mendTarget(cmap, tokens[j]);
            i = j + 1;
        } else {
            // A range of several codes starting at the tab runs on to
            // U+000A and beyond: only a range of one code is the space.
            if (sameHex(cmap, low, high))
                mendTarget(cmap, tokens[i + 2]);
            i += 3;
        }
    }
}

void mendSections(QByteArray &cmap, const QByteArray &begin, const QByteArray &end, bool ranges)
{
    qsizetype from = 0;
    while ((from = cmap.indexOf(begin, from)) >= 0) {
        from += begin.size();
        const qsizetype to = cmap.indexOf(end, from);
        if (to < 0)
            return;
        const std::vector<CMapToken> tokens = tokensBetween(cmap, from, to);
        if (ranges)
            mendRanges(cmap, tokens);
        else
            mendChars(cmap, tokens);
        from = to + end.size();
    }
}

} // namespace

QByteArray fncSpaceForTabInCMap(QByteArray cmap)
{
    mendSections(cmap, "beginbfchar", "endbfchar", false);
    mendSections(cmap, "beginbfrange", "endbfrange", true);
    return cmap;
}

std::optional<QByteArray> fncFinishPdf(const QByteArray &pdf, const PdfProperties &properties)
{
    const LibQpdf *q = libqpdf();
    if (!q)
        return std::nullopt;
    qpdf_data document = q->init();
    const auto cleanup = qScopeGuard([&] { q->cleanup(&document); });
    q->setSuppressWarnings(document, QPDF_TRUE);
    if (q->readMemory(document, "report", pdf.constData(),
                      static_cast<unsigned long long>(pdf.size()), nullptr) &
        QPDF_ERRORS)
        return std::nullopt;

    // Every object by its number: the fonts' maps wherever they hang.
    const qpdf_oh trailer = q->getTrailer(document);
    const int objectCount = q->intValue(document, q->getKey(document, trailer, "/Size"));
    std::set<int> mended;
    for (int id = 1; id < objectCount; ++id) {
        const qpdf_oh object = q->getObjectById(document, id, 0);
        if (!q->isDictionary(document, object) || !q->hasKey(document, object, "/ToUnicode"))
            continue;
        const qpdf_oh map = q->getKey(document, object, "/ToUnicode");
        if (!q->isStream(document, map) || !mended.insert(q->objectId(document, map)).second)
            continue;
        unsigned char *data = nullptr;
        size_t length = 0;
        if (q->getStreamData(document, map, qpdf_dl_generalized, nullptr, &data, &length) &
            QPDF_ERRORS)
            return std::nullopt;
        const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(length));
        std::free(data);
        const QByteArray mendedText = fncSpaceForTabInCMap(text);
        if (mendedText != text)
            q->replaceStreamData(
                document, map, reinterpret_cast<const unsigned char *>(mendedText.constData()),
                size_t(mendedText.size()), q->newNull(document), q->newNull(document));
    }

    const auto textString = [&](const QString &value) {
        return q->newUnicodeString(document, value.toUtf8().constData());
    };
    q->replaceKey(document, q->getRoot(document), "/Lang", textString(properties.language));
    qpdf_oh info = q->getKey(document, trailer, "/Info");
    if (!q->isDictionary(document, info)) {
        info = q->makeIndirectObject(document, q->newDictionary(document));
        q->replaceKey(document, trailer, "/Info", info);
    }
    if (!properties.author.isEmpty())
        q->replaceKey(document, info, "/Author", textString(properties.author));

    if (q->hasError(document) || (q->initWriteMemory(document) & QPDF_ERRORS) ||
        (q->write(document) & QPDF_ERRORS))
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char *>(q->buffer(document)),
                      qsizetype(q->bufferLength(document)));
}

QString fncDocumentAuthor()
{
    if (const passwd *account = getpwuid(getuid())) {
        // The full name is the first comma-separated field of the GECOS entry.
        const QString fullName = QString::fromLocal8Bit(account->pw_gecos).section(u',', 0, 0);
        if (!fullName.trimmed().isEmpty())
            return fullName.trimmed();
        return QString::fromLocal8Bit(account->pw_name);
    }
    return QString();
}
