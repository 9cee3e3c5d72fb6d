// Braille files read in every format: whatever the bytes, the pages hold
// cells only (six-dot ones where the format has no others), no line ends in
// a blank, every page stays within the page settings' bounds and the sizes
// the document gives, and what is read, written out again in any format and read back,
// gives the same cells. Read a few bytes at a time, as import reads a file,
// the text formats give what reading them whole gives.
#include "fuzzcheck.h"

#include "braillefiles/braillefiles.h"
#include "braillefiles/linetext.h"
#include "braillepages/braillecells.h"
#include "braillepages/pagesettings.h"

namespace {

using BrailleFiles::Format;

constexpr Format kFormats[] = {Format::UnicodeText, Format::Brf, Format::Pef, Format::Bes};

// BRF and BES keep six dots a cell.
bool sixDotsOnly(Format format)
{
    return format == Format::Brf || format == Format::Bes;
}

void checkCells(const QString &line, bool sixDots)
{
    for (const QChar c : line) {
        FUZZ_CHECK(BrailleCells::isCell(c));
        FUZZ_CHECK(!sixDots || c.unicode() < 0x2840);
    }
    FUZZ_CHECK(line.isEmpty() || !BrailleCells::isBlank(line.back()));
}

void checkRead(const BrailleFiles::ReadResult &read, bool sixDots)
{
    const BraillePages &document = read.document;
    FUZZ_CHECK(document.cells > 0 && document.cells <= PageSettings::kMaxCells);
    FUZZ_CHECK(document.lines > 0 && document.lines <= PageSettings::kMaxLines);
    checkCells(document.brailleTitle, true);
    for (const QStringList &page : document.pages) {
        FUZZ_CHECK(page.size() <= document.lines);
        for (const QString &line : page) {
            FUZZ_CHECK(line.size() <= document.cells);
            checkCells(line, sixDots);
        }
    }
}

// A line as a six-dot format keeps it.
QString sixDotLine(const QString &line)
{
    QString cells;
    for (const QChar c : line)
        cells += BrailleCells::fromMask(BrailleCells::mask(c));
    return BrailleCells::withoutTrailingBlanks(cells);
}

void checkRoundTrip(const BraillePages &document)
{
    if (document.pages.isEmpty())
        return;
    // Enough lines a page that the text formats keep the pages as they are.
    int lines = 1;
    for (const QStringList &page : document.pages)
        lines = qMax(lines, int(page.size()));
    for (const Format format : kFormats) {
        const QByteArray bytes = BrailleFiles::encode(format, document, QDate(2024, 4, 1));
        const BrailleFiles::ReadResult again = BrailleFiles::decode(format, bytes, lines);
        FUZZ_CHECK(again.problem.ok());
        checkRead(again, sixDotsOnly(format));
        QList<QStringList> expected = document.pages;
        if (sixDotsOnly(format)) {
            for (QStringList &page : expected) {
                for (QString &line : page)
                    line = sixDotLine(line);
            }
        }
        FUZZ_CHECK(again.document.pages == expected);
        if (format == Format::Bes) {
            FUZZ_CHECK(again.document.brailleTitle == sixDotLine(document.brailleTitle.left(465)));
            FUZZ_CHECK(again.document.cells == qMin(document.cells, 99));
            FUZZ_CHECK(again.document.lines == qMin(document.lines, 99));
        }
        if (format == Format::Pef) {
            FUZZ_CHECK(again.document.cells == document.cells && again.document.lines == document.lines);
        }
        // Opening the file tells its format by its contents alone.
        FUZZ_CHECK(BrailleFiles::decode(bytes, lines).document.pages == again.document.pages);
    }
}

// The text formats decoded in blocks of a size the bytes choose.
void checkBlockwise(Format format, const QByteArray &bytes, int lines)
{
    const qsizetype block = 1 + (bytes.isEmpty() ? 0 : uchar(bytes.back()) % 7);
    auto blocks = [&](const std::function<bool(QByteArrayView)> &take) {
        for (qsizetype at = 0; at < bytes.size(); at += block) {
            if (!take(QByteArrayView(bytes).sliced(at, qMin(block, bytes.size() - at))))
                return false;
        }
        return true;
    };
    BrailleFiles::LineTextDecoder scan(format);
    QString text;
    bool formFeeds = false;
    if (blocks([&](QByteArrayView piece) {
            const bool going = scan.decode(piece, text);
            formFeeds = formFeeds || text.contains(u'\f');
            return going && !formFeeds;
        }))
        scan.finish(text);
    formFeeds = formFeeds || text.contains(u'\f');

    QList<QStringList> pages;
    BrailleFiles::LineTextDecoder decoder(format);
    BrailleFiles::LineTextPages split(formFeeds, lines, [&pages](const QStringList &page) {
        pages.append(page);
        return true;
    });
    if (blocks([&](QByteArrayView piece) {
            text.clear();
            const bool going = decoder.decode(piece, text);
            return split.add(text) && going;
        })) {
        text.clear();
        decoder.finish(text);
        split.add(text);
    }
    const BrailleFiles::ReadProblem problem = split.finish(decoder.problem());
    const BrailleFiles::ReadResult whole = BrailleFiles::decode(format, bytes, lines);
    FUZZ_CHECK(pages == whole.document.pages);
    FUZZ_CHECK(problem.error == whole.problem.error && problem.page == whole.problem.page &&
               problem.line == whole.problem.line && problem.detail == whole.problem.detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size).toByteArray();
    const BrailleFiles::ReadResult detected = BrailleFiles::decode(bytes);
    checkRead(detected, false);
    for (const Format format : kFormats) {
        const BrailleFiles::ReadResult read = BrailleFiles::decode(format, bytes);
        checkRead(read, sixDotsOnly(format));
        checkRoundTrip(read.document);
    }
    for (const int lines : {3, BraillePages::kDefaultLines}) {
        checkBlockwise(Format::UnicodeText, bytes, lines);
        checkBlockwise(Format::Brf, bytes, lines);
    }
    return 0;
}
