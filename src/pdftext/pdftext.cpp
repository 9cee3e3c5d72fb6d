#include "pdftext.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void ignorePopplerMessage(const std::string &, void *) {}

int readPages(const char *bytes, size_t size, int maxPages, MiraboPdfPageFunction pageRead, void *context)
{
    poppler::set_debug_error_function(ignorePopplerMessage, nullptr);
    // Poppler takes an int; a larger file is past every caller's limit.
    if (size > size_t(0x7fffffff))
        return MIRABO_PDF_TOO_MANY_PAGES;
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes, int(size)));
    if (!document)
        return MIRABO_PDF_DAMAGED;
    if (document->is_locked())
        return MIRABO_PDF_ENCRYPTED;
    const int count = document->pages();
    if (count > maxPages)
        return MIRABO_PDF_TOO_MANY_PAGES;
    std::vector<poppler::byte_array> texts;
    std::vector<MiraboPdfWord> words;
    for (int i = 0; i < count; ++i) {
        const std::unique_ptr<poppler::page> page(document->create_page(i));
        texts.clear();
        words.clear();
        poppler::byte_array label;
        if (page) {
            label = page->label().to_utf8();
            const std::vector<poppler::text_box> boxes = page->text_list();
            texts.reserve(boxes.size());
            for (const poppler::text_box &box : boxes) {
                texts.push_back(box.text().to_utf8());
                const poppler::rectf r = box.bbox();
                words.push_back({texts.back().data(), texts.back().size(), r.left(), r.top(), r.right(),
                                 r.bottom(), box.has_space_after() ? 1 : 0});
            }
        }
        pageRead(context, label.data(), label.size(), words.data(), words.size());
    }
    return MIRABO_PDF_OK;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
mirabo_pdf_read_1(const char *bytes, size_t size, int maxPages, MiraboPdfPageFunction page, void *context)
{
    // Nothing may unwind into the caller's C frame.
    try {
        return readPages(bytes, size, maxPages, page, context);
    } catch (...) {
        return MIRABO_PDF_DAMAGED;
    }
}

// The symbol's name and the reader's type must agree.
[[maybe_unused]] static constexpr MiraboPdfReadFunction kCheckedType = mirabo_pdf_read_1;
