#include "workfile.h"

#include "platform/safesave.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kWorkFileName = QStringLiteral("wk.txt");

// The lines of a text as the editor has them: the last one counts even
// when it is empty.
template <typename Add> void forEachEditorLine(QStringView text, Add &&add)
{
    forEachLine(text, add);
    if (text.isEmpty() || text.back() == u'\n' || text.back() == u'\r')
        add(QStringView());
}

// Characters gathered before they are encoded and written: large enough
// that a converter is opened once for many lines, small enough to stay in
// the cache.
constexpr qsizetype kPieceCharacters = 32 * 1024;

// Writes lines to the file a piece at a time, each line ended by CR LF.
class PieceWriter
{
public:
    enum class Encoding { Cp932, Utf8 };
    PieceWriter(QIODevice &device, Encoding encoding) : m_device(device), m_encoding(encoding)
    {
        m_piece.reserve(kPieceCharacters + 256);
    }

    void addLine(QStringView line)
    {
        m_piece += line;
        m_piece += u"\r\n";
        if (m_piece.size() >= kPieceCharacters)
            flush();
    }
    // Writes what is gathered; false when a write failed.
    bool flush()
    {
        if (m_piece.isEmpty())
            return m_ok;
        bool lost = false;
        const QByteArray bytes = m_encoding == Encoding::Cp932 ? Cp932::encode(m_piece, &lost) : m_piece.toUtf8();
        m_lost = m_lost || lost;
        m_ok = m_ok && m_device.write(bytes) == bytes.size();
        m_piece.resize(0); // keeps its room for the next piece
        return m_ok;
    }
    // Some character had no cp932 code and was written as "?".
    bool lostCharacters() const { return m_lost; }

private:
    QIODevice &m_device;
    Encoding m_encoding;
    QString m_piece;
    bool m_lost = false;
    bool m_ok = true;
};

// The file's text in cp932 when cp932 holds every character, otherwise
// again from the start in UTF-8 with a byte-order mark.
bool writeLines(QIODevice &device, QStringView text)
{
    {
        PieceWriter cp932(device, PieceWriter::Encoding::Cp932);
        forEachEditorLine(text, [&cp932](QStringView line) { cp932.addLine(line); });
        if (!cp932.flush())
            return false;
        if (!cp932.lostCharacters())
            return true;
    }
    if (!device.seek(0) || device.write("\xEF\xBB\xBF") != 3)
        return false;
    PieceWriter utf8(device, PieceWriter::Encoding::Utf8);
    forEachEditorLine(text, [&utf8](QStringView line) { utf8.addLine(line); });
    if (!utf8.flush())
        return false;
    // The UTF-8 text is never shorter than the cp932 one; should it be,
    // nothing of the other may stay behind it.
    auto &file = static_cast<QFileDevice &>(device);
    return file.size() == file.pos() || file.resize(file.pos());
}

} // namespace

QString workFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (dir.isEmpty())
        return QString();
    return QDir(dir).filePath(kWorkFileName);
}

WorkFileWrite writeWorkFile(QStringView text)
{
    const QString path = workFilePath();
    if (path.isEmpty())
        return {WorkFileError::NoFolder, QString(), QString()};
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return {WorkFileError::FolderNotMade, dir, QString()};

    // QSaveFile would write through a link to its target.
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    const SafeSaveResult saved = saveFileSafely(path, [text](QIODevice &device) {
        // The text is the user's: for the user's eyes only.
        static_cast<QFileDevice &>(device).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return writeLines(device, text);
    });
    if (!saved.ok)
        return {saved.error.error == FileError::NotCreated ? WorkFileError::NotCreated : WorkFileError::NotWritten,
                path, saved.error.detail};
    return {};
}

EditorTranslation TranslateEditorText(const CodeTable &table, QStringView editorText)
{
    EditorTranslation result;
    result.write = writeWorkFile(editorText);
    if (!result.write.ok())
        return result;
    result.translation =
        translateText(table, editorText.toString() + QStringLiteral("\r\n"), &result.withoutBraille);
    result.ok = true;
    return result;
}
