// The XML readers of the importer (Word body, OpenDocument content, XHTML)
// and the HTML tokenizer, on any bytes: the first byte picks the reader.
#include "importcheck.h"

#include "documentimport/documentimport.h"
#include "documentimport/formatreaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzzBytes(data + 1, size - 1).toByteArray();
    switch (data[0] % 4) {
    case 0:
        checkImport(readWordParts(bytes, bytes, QByteArray(), QByteArray()));
        break;
    case 1:
        checkImport(readOpenDocumentContent(bytes));
        break;
    case 2:
        checkImport(DocumentImporter::importBytes(bytes, DocumentImporter::Format::Xhtml));
        break;
    default:
        checkImport(DocumentImporter::importBytes(bytes, DocumentImporter::Format::Html));
        break;
    }
    return 0;
}
