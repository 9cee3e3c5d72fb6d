// The zip containers of the importer (Word, OpenDocument, EPUB) on any
// bytes: the first byte picks the format.
#include "importcheck.h"

#include "documentimport/documentimport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    using DocumentImporter::Format;
    const Format formats[] = {Format::Word, Format::OpenDocument, Format::Epub};
    const QByteArray bytes = fuzzBytes(data + 1, size - 1).toByteArray();
    checkImport(DocumentImporter::importBytes(bytes, formats[data[0] % 3]));
    return 0;
}
