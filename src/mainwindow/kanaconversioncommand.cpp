#include "platform/settings.h"
#include "kanaconversioncommand.h"

#include "kana/kanaconverter.h"
#include "kana/kanawords.h"
#include "kana/userdictionary.h"
#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"
#include "rubytext.h"
#include "userdictionarydialog.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

const QString kTitle = QStringLiteral("点訳かな変換");

} // namespace

KanaConversionCommand::KanaConversionCommand(QPlainTextEdit *editor, QWidget *window,
                                             const QString &userDictionaryPath)
    : QObject(window), m_editor(editor), m_window(window),
      m_userDictionaryPath(userDictionaryPath.isEmpty() ? UserDictionary::defaultPath() : userDictionaryPath)
{}

KanaConversionCommand::~KanaConversionCommand() = default;

KanaConverter *KanaConversionCommand::converter()
{
    if (!m_converter)
        useConverter(std::make_unique<KanaConverter>());
    return m_converter.get();
}

void KanaConversionCommand::useConverter(std::unique_ptr<KanaConverter> converter)
{
    m_converter = std::move(converter);
    // Proofreading shows which readings are doubtful; a second dictionary,
    // where one is installed, is one more opinion.
    m_converter->setMarking(true);
    const QString second = MorphemeAnalyzer::locateSecondDictionaryDir();
    if (!second.isEmpty())
        m_converter->openSecondDictionary(second);
}

QString KanaConversionCommand::chooseDictionary(const QString &problem)
{
    // The dictionary may sit anywhere (built by hand, another distribution):
    // the user points at its sys.dic, and the folder is kept in the settings.
    if (UserDialogs::instance().askYesNo(
            m_window, kTitle,
            problem + QStringLiteral("\n\nMeCab の辞書のフォルダーにある sys.dic を選びますか？")) !=
        UserDialogs::Answer::Yes)
        return QString();
    const QString file = UserDialogs::instance().getOpenFileName(
        m_window, QStringLiteral("MeCab の辞書（sys.dic）"), QStringLiteral("/var/lib/mecab/dic"),
        QStringLiteral("MeCab の辞書 (sys.dic)"));
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

bool KanaConversionCommand::convert()
{
    KanaConverter *kana = converter();
    while (!kana->hasDictionary()) {
        const QString dir = chooseDictionary(UserMessages::kanaMessage(kana->error()));
        if (dir.isEmpty())
            return false;
        useConverter(std::make_unique<KanaConverter>(dir));
        kana = m_converter.get();
        if (kana->hasDictionary())
            Settings::instance().setValue(MorphemeAnalyzer::settingsKey(), dir);
    }
    if (!kana->isReady()) {
        UserDialogs::instance().warn(m_window, kTitle, UserMessages::kanaMessage(kana->error()));
        return false;
    }
    // Read anew each time: the user may have edited the file by hand.
    const UserDictionaryLoad dictionary = UserDictionary::load(m_userDictionaryPath);
    UserDictionaryDialog::reportProblems(m_window, kTitle, m_userDictionaryPath, dictionary);
    kana->setUserEntries(dictionary.entries);

    QTextCursor cursor = m_editor->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::Document);
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    if (text.trimmed().isEmpty())
        return true;
    // Text without kanji is most likely converted already, and converting
    // it again would break up its words.
    const bool hasKanji = KanaWords::containsKanji(text);
    if (!hasKanji &&
        UserDialogs::instance().askYesNo(
            m_window, kTitle,
            QStringLiteral("漢字がありません。点訳かな変換の済んだ文をもう一度変換すると、"
                           "分かち書きが崩れることがあります。変換しますか？")) != UserDialogs::Answer::Yes)
        return true;
    const QList<ConvertedLine> lines = convertLines(*kana, text, cursor.selectionStart(), hasKanji);
    replaceLines(cursor.selectionStart(), cursor.selectionEnd(), lines);
    UniqueWords unknown;
    for (const ConvertedLine &line : lines)
        unknown.add(line.conversion.unknownWords);
    if (!unknown.words().isEmpty()) {
        UserDialogs::instance().inform(
            m_window, kTitle,
            QStringLiteral("次の語は読みが分からないため、書かれたままにしました。\n%1")
                .arg(unknown.words().join(QStringLiteral("　"))));
    }
    return true;
}

QList<KanaConversionCommand::ConvertedLine> KanaConversionCommand::convertLines(KanaConverter &kana,
                                                                                const QString &text, int start,
                                                                                bool kanjiLinesOnly) const
{
    // A line without kanji has been converted, and perhaps proofread,
    // already: converting it again would split its words anew.
    QList<ConvertedLine> lines;
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype end = text.indexOf(u'\n', from);
        if (end < 0)
            end = text.size();
        const QString line = text.sliced(from, end - from);
        if (!line.isEmpty() && (!kanjiLinesOnly || KanaWords::containsKanji(line))) {
            // Ruby of an imported document gives the reading of its own words.
            const int lineStart = start + int(from);
            const QList<FixedWord> readings =
                RubyText::readingsIn(m_editor->document(), lineStart, lineStart + int(line.size()));
            KanaConversion conversion = kana.convertLine(line, readings);
            if (conversion.text != line || !conversion.unknownWords.isEmpty())
                lines.append({lineStart, int(line.size()), std::move(conversion)});
        }
        from = end + 1;
    }
    return lines;
}

void KanaConversionCommand::replaceLines(int start, int end, const QList<ConvertedLine> &lines)
{
    int grown = 0;
    for (const ConvertedLine &line : lines)
        grown += int(line.conversion.text.size()) - line.length;
    bool changed = false;
    QTextCursor cursor(m_editor->document());
    cursor.beginEditBlock();
    // From the last line up, so that the places of those above stay as read.
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        cursor.setPosition(line->start);
        cursor.setPosition(line->start + line->length, QTextCursor::KeepAnchor);
        if (cursor.selectedText() == line->conversion.text)
            continue;
        changed = true;
        cursor.insertText(line->conversion.text, RubyText::withoutReading(cursor.charFormat()));
    }
    cursor.endEditBlock();
    if (!changed)
        return;
    QList<std::pair<int, KanaConversion>> converted;
    converted.reserve(lines.size());
    int shift = 0;
    for (const ConvertedLine &line : lines) {
        converted.append({line.start + shift, line.conversion});
        shift += int(line.conversion.text.size()) - line.length;
    }
    emit linesConverted(converted);
    // What was converted stays selected, for proofreading.
    cursor.setPosition(start);
    cursor.setPosition(end + grown, QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
}

bool KanaConversionCommand::offerBeforeTranslation(QString &editorText)
{
    if (!KanaWords::containsKanji(editorText))
        return true;
    switch (UserDialogs::instance().askYesNoCancel(
        m_window, QStringLiteral("点字翻訳"),
        QStringLiteral("漢字が含まれています。点字翻訳の前に点訳かな変換をしますか？"))) {
    case UserDialogs::Answer::Yes: {
        // The whole document, whatever is selected.
        QTextCursor cursor = m_editor->textCursor();
        cursor.clearSelection();
        m_editor->setTextCursor(cursor);
        const bool converted = convert();
        editorText = m_editor->toPlainText();
        return converted;
    }
    case UserDialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

void KanaConversionCommand::editUserDictionary()
{
    auto *dialog = new UserDictionaryDialog(m_userDictionaryPath, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
