#include "documentsaver.h"

#include "document/document.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"

namespace {

// More than this many characters make the question too long to read.
constexpr int kListedCharacters = 20;

} // namespace

bool DocumentSaver::saveAs()
{
    // A name typed without a suffix gets .txt, which the file window lists.
    const QString path =
        UserDialogs::instance().getSaveFileNameWithSuffix(m_window, kTitle, m_lastFileName, kFilter, QStringLiteral("txt"));
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
    TextFileFormat format = m_document.fileFormat();
    if (format.encoding == TextEncoding::Cp932) {
        switch (askAboutLostCharacters(text)) {
        case LostCharacters::Cancel:
            return false;
        case LostCharacters::SaveAsUtf8:
            format.encoding = TextEncoding::Utf8;
            format.cp932Variants.clear();
            break;
        case LostCharacters::Replace:
            break;
        }
    }
    const TextWriteResult result = ::writeTextFile(path, text, format);
    if (!result.ok) {
        UserDialogs::instance().warn(
            m_window, kTitle,
            QStringLiteral("保存できませんでした。ファイルは変更されていません。\n%1").arg(UserMessages::fileMessage(result.error)));
        return false;
    }
    // What was written in UTF-8 stays UTF-8 at the next save.
    m_document.setFileFormat(format);
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

DocumentSaver::LostCharacters DocumentSaver::askAboutLostCharacters(const QString &text)
{
    const QStringList lost = Cp932::unencodableCharacters(text);
    if (lost.isEmpty())
        return LostCharacters::Replace;
    QString listed = lost.mid(0, kListedCharacters).join(QStringLiteral("　"));
    if (lost.size() > kListedCharacters)
        listed += QStringLiteral(" ほか%1文字").arg(lost.size() - kListedCharacters);
    const QString question =
        QStringLiteral("次の文字はこのファイル形式（Shift_JIS）で保存できません。\n\n%1\n\n"
                       "「はい」: UTF-8 で保存します（文字はすべて残ります）。\n"
                       "「いいえ」: Shift_JIS で保存し、これらの文字は「?」に置き換わります。")
            .arg(listed);
    switch (UserDialogs::instance().askYesNoCancel(m_window, kTitle, question)) {
    case UserDialogs::Answer::Yes:
        return LostCharacters::SaveAsUtf8;
    case UserDialogs::Answer::No:
        return LostCharacters::Replace;
    default:
        return LostCharacters::Cancel;
    }
}
