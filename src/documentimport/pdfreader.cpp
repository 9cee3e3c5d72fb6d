// PDF through the Poppler module (pdftext/pdftext.h): the words of each page in reading order, made into
// lines by where they stand, and the lines into paragraphs. Headers and
// footers that come back on every page are dropped; the page numbers are
// kept apart, as the original's page numbers.
#include "formatreaders.h"

#include "textbuilder.h"

#include "pdftext/pdftext.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibrary>
#include <QRegularExpression>

#include <cmath>
#include <memory>

namespace {

constexpr int kMaxPages = 5000;

struct PdfLine
{
    QString text;
    double left = 0, right = 0, top = 0, bottom = 0;
    double height() const { return bottom - top; }
};

struct PdfPage
{
    QList<PdfLine> lines;
    QString number; // printed on the page, or its label
};

// The reader of the module, opened at the first PDF and kept; null with
// the reason when it is missing or not this program's.
struct PdfModule
{
    MiraboPdfReadFunction read = nullptr;
    QString problem;
};

const PdfModule &pdfModule()
{
    static const PdfModule module = [] {
        PdfModule loaded;
        // Beside the executable's other private files, in the build tree as
        // when installed (also from an unpacked package).
        static QLibrary library(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/" MIRABO_MODULE_FROM_BIN "/mirabo_pdftext")));
        loaded.read = reinterpret_cast<MiraboPdfReadFunction>(library.resolve(MIRABO_PDF_READ_SYMBOL));
        // Left loaded for the rest of the run: the reader points into it.
        if (!loaded.read)
            loaded.problem = library.errorString();
        return loaded;
    }();
    return module;
}

// Fonts often map a kanji's glyph to its look-alike among the Kangxi
// radicals (⼀ for 一, ⼈ for 人) or the compatibility ideographs; those
// are the same kanji to a reader, and to the kana conversion they must be.
QString withUnifiedKanji(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if ((u >= 0x2E80 && u <= 0x2FDF) || (u >= 0xF900 && u <= 0xFAFF)) {
            const QString unified = QString(text[i]).normalized(QString::NormalizationForm_KC);
            if (unified.size() == 1)
                text[i] = unified.front();
        }
    }
    return text;
}

QList<PdfLine> linesOf(const MiraboPdfWord *words, size_t count)
{
    QList<PdfLine> lines;
    bool spaceAfterLast = false;
    for (size_t i = 0; i < count; ++i) {
        const MiraboPdfWord &r = words[i];
        const QString word = withUnifiedKanji(QString::fromUtf8(r.text, qsizetype(r.size)));
        if (word.isEmpty())
            continue;
        const double height = r.bottom - r.top;
        // A word that does not stand beside the last one, on its line,
        // begins a new line.
        const bool sameLine = !lines.isEmpty() && r.left >= lines.back().left - 1 &&
                              std::abs((r.top + r.bottom) / 2 - (lines.back().top + lines.back().bottom) / 2) <
                                  std::max(lines.back().height(), height) / 2;
        if (!sameLine) {
            lines.append({word, r.left, r.right, r.top, r.bottom});
        } else {
            PdfLine &line = lines.back();
            if (spaceAfterLast)
                line.text += u' ';
            line.text += word;
            line.right = std::max(line.right, r.right);
            line.top = std::min(line.top, r.top);
            line.bottom = std::max(line.bottom, r.bottom);
        }
        spaceAfterLast = r.spaceAfter != 0;
    }
    return lines;
}

void addReadPage(void *context, const char *label, size_t labelSize, const MiraboPdfWord *words, size_t count)
{
    auto *pages = static_cast<QList<PdfPage> *>(context);
    PdfPage read;
    read.lines = linesOf(words, count);
    read.number = QString::fromUtf8(label, qsizetype(labelSize));
    if (read.number.isEmpty())
        read.number = QString::number(pages->size() + 1);
    pages->append(read);
}

// A line that is only a page number: 12, - 12 -, ( 12 ), xii.
QString pageNumberOf(const QString &line)
{
    static const QRegularExpression number(
        QStringLiteral("^[\\s\\-‐－–—(（]*([0-9０-９]+|[ivxlcdm]+|[IVXLCDM]+)[\\s\\-‐－–—)）]*$"));
    const QRegularExpressionMatch match = number.match(line);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The same header or footer on every page, whatever number it carries.
QString withoutDigits(QString text)
{
    static const QRegularExpression digits(QStringLiteral("[0-9０-９]+"));
    return text.replace(digits, QStringLiteral("#")).simplified();
}

void dropRepeatedEdges(QList<PdfPage> &pages)
{
    if (pages.size() < 2)
        return;
    // Page numbers first, then what repeats at the top or the bottom.
    for (PdfPage &page : pages) {
        for (int edge = 0; edge < 2 && !page.lines.isEmpty(); ++edge) {
            const PdfLine &line = edge == 0 ? page.lines.front() : page.lines.back();
            const QString number = pageNumberOf(line.text);
            if (number.isEmpty())
                continue;
            page.number = number;
            if (edge == 0)
                page.lines.removeFirst();
            else
                page.lines.removeLast();
        }
    }
    for (int edge = 0; edge < 2; ++edge) {
        QHash<QString, int> seen;
        for (const PdfPage &page : pages) {
            if (!page.lines.isEmpty())
                ++seen[withoutDigits(edge == 0 ? page.lines.front().text : page.lines.back().text)];
        }
        for (PdfPage &page : pages) {
            if (page.lines.isEmpty())
                continue;
            const QString text = withoutDigits(edge == 0 ? page.lines.front().text : page.lines.back().text);
            // On every page but perhaps the first (a title page).
            if (seen.value(text) >= std::max<qsizetype>(2, pages.size() - 1)) {
                if (edge == 0)
                    page.lines.removeFirst();
                else
                    page.lines.removeLast();
            }
        }
    }
}

// Where the text block of the pages stands.
struct Margins
{
    double left = 1e9, right = -1e9, height = 0;
};

Margins marginsOf(const QList<PdfPage> &pages)
{
    Margins margins;
    for (const PdfPage &page : pages) {
        for (const PdfLine &line : page.lines) {
            margins.left = std::min(margins.left, line.left);
            margins.right = std::max(margins.right, line.right);
            margins.height = std::max(margins.height, line.height());
        }
    }
    return margins;
}

// Lines broken only by the width of the page are joined back: a paragraph
// ends at a short line, before an indented line or before a wider gap.
void addPage(const PdfPage &page, const Margins &margins, TextBuilder &out, bool &paragraphOpen)
{
    const double left = margins.left, right = margins.right, height = margins.height;
    for (qsizetype i = 0; i < page.lines.size(); ++i) {
        const PdfLine &line = page.lines[i];
        // Poppler's boxes are about 1.45 em high: an indent of one full-width
        // character is some 0.7 of that, a blank line's gap about as much.
        const bool indented = line.left > left + line.height() * 0.5;
        const bool gap = i > 0 && line.top - page.lines[i - 1].bottom > height * 0.5;
        if (indented || gap)
            out.endParagraph();
        // A line end between Japanese characters joins without a blank
        // (the builder's rule for wrapped source text); other scripts get one.
        if (paragraphOpen && !indented && !gap)
            out.addText(u"\n");
        // The full-width blank that indents a Japanese paragraph is drawn as
        // no glyph at all.
        if (indented && !line.text.startsWith(u'　'))
            out.addText(u"　");
        out.addText(line.text);
        paragraphOpen = true;
        if (line.right < right - line.height() * 2) {
            out.endParagraph();
            paragraphOpen = false;
        }
    }
}

} // namespace

DocumentImport readPdfDocument(const QByteArray &bytes)
{
    DocumentImport result;
    if (!bytes.startsWith("%PDF") && !bytes.left(1024).contains("%PDF")) {
        result.problem = {ImportError::NotThisFormat, DocumentImporter::Format::Pdf};
        return result;
    }
    const PdfModule &module = pdfModule();
    if (!module.read) {
        result.problem = {ImportError::ReaderMissing, DocumentImporter::Format::Pdf, QString(), module.problem};
        return result;
    }
    QList<PdfPage> pages;
    switch (module.read(bytes.constData(), size_t(bytes.size()), kMaxPages, addReadPage, &pages)) {
    case MIRABO_PDF_OK:
        break;
    case MIRABO_PDF_ENCRYPTED:
        result.problem = {ImportError::Encrypted};
        return result;
    case MIRABO_PDF_TOO_MANY_PAGES:
        result.problem = {ImportError::TooLarge};
        return result;
    default:
        result.problem = {ImportError::Damaged};
        return result;
    }
    dropRepeatedEdges(pages);

    TextBuilder builder;
    builder.setCollapseBlanks(true);
    QList<qsizetype> pageStarts;
    bool paragraphOpen = false;
    const Margins margins = marginsOf(pages);
    for (const PdfPage &page : pages) {
        pageStarts.append(builder.lineCount());
        addPage(page, margins, builder, paragraphOpen);
    }
    result.document = builder.finish();
    for (qsizetype i = 0; i < pages.size(); ++i)
        result.document.pages.append({pageStarts[i], pages[i].number});
    result.ok = true;
    return result;
}
