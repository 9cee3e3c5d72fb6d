#include "documentsaver.h"

#include "document/document.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/gui/userdialogs.h"

namespace {

// More than this many characters make the question too long to read.
constexpr int kListedCharacters = 20;

} // namespace

bool DocumentSaver::saveAs()
{
    const QString path = UserDialogs::instance().getSaveFileName(m_window, kTitle, m_lastFileName, kFilter);
    if (path.isEmpty())
        return false;
    m_lastFileName = path;
    if (!writeTo(path))
        return false;
    m_document.setFileName(path);
    return true;
}

bool DocumentSaver::save()
{
    const QString path = m_document.fileName();
    return path.isEmpty() ? saveAs() : writeTo(path);
}

bool DocumentSaver::writeTo(const QString &path)
{
    const QString text = m_document.text();
    const TextFileFormat &format = m_document.fileFormat();
    if (format.encoding == TextEncoding::Cp932 && !acceptLostCharacters(text))
        return false;
    const TextWriteResult result = ::writeTextFile(path, text, format);
    if (!result.ok) {
        UserDialogs::instance().warn(
            m_window, kTitle,
            QStringLiteral("保存できませんでした。ファイルは変更されていません。\n%1").arg(result.error));
        return false;
    }
    m_document.setModified(false);
    return true;
}

bool DocumentSaver::offerToSaveChanges(const QString &title)
{
    if (!m_document.hasUnsavedChanges())
        return true;
    switch (UserDialogs::instance().askYesNoCancel(m_window, title, QStringLiteral("保存しますか？"))) {
    case UserDialogs::Answer::Yes:
        return save();
    case UserDialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

bool DocumentSaver::acceptLostCharacters(const QString &text)
{
    const QStringList lost = Cp932::unencodableCharacters(text);
    if (lost.isEmpty())
        return true;
    QString listed = lost.mid(0, kListedCharacters).join(QStringLiteral("　"));
    if (lost.size() > kListedCharacters)
        listed += QStringLiteral(" ほか%1文字").arg(lost.size() - kListedCharacters);
    const QString question =
        QStringLiteral(
            "次の文字はこのファイル形式（Shift_JIS）で保存できないため、「?」に置き換わります。\n\n%1\n\n"
            "このまま保存しますか？")
            .arg(listed);
    return UserDialogs::instance().askOkCancel(m_window, kTitle, question) == UserDialogs::Answer::Ok;
}
