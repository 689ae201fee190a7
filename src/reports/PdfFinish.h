#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What a PDF written by Qt's writer gets before it is saved: the document's
// language and author, and text maps that give the space as a space.
struct PdfProperties
{
    QString language; // "en-CA" or "fr-CA"
    QString author;
};

// Qt's writer maps the space glyph to U+0009 in each font's ToUnicode map
// (DejaVu gives the tab and the space one glyph, and the writer takes the
// first code), so readers that extract text through the map get a tab
// between all words. The report text never holds a tab: every <0009>
// target of a bfchar or bfrange section becomes <0020>. Other bytes stay.
QByteArray fncSpaceForTabInCMap(QByteArray cmap);

// The PDF with its text maps mended and /Lang and /Author set, written
// again by qpdf; nothing when qpdf cannot read the PDF.
std::optional<QByteArray> fncFinishPdf(const QByteArray &pdf, const PdfProperties &properties);

// The name of the account running the program, for a document's author:
// the full name the system holds, else the login name.
QString fncDocumentAuthor();
