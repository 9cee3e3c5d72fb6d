#include "clicommands.h"

#include "documentimport/documentimport.h"
#include "kana/kanaconverter.h"
#include "kana/rubyreading.h"
#include "platform/textcodec.h"
#include "usermessages/usermessages.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// The row of a word whose reading is in doubt; the column counts
// characters, not UTF-16 units, from 1.
QString checkRow(const ConvertedWord &word, QStringView line, qsizetype lineIndex)
{
    const qsizetype column = line.left(word.sourceColumn).toUcs4().size() + 1;
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
        .arg(lineIndex + 1)
        .arg(column)
        .arg(word.written, word.kana, word.candidates.join(u'/'), DoubtJudge::names(word.doubts).join(u','));
}

// One row for each word whose reading is in doubt.
QString checkRows(const QList<ConvertedWord> &words, const QStringList &sourceLines)
{
    QString rows;
    for (const ConvertedWord &word : words) {
        if (word.doubts)
            rows += checkRow(word, sourceLines.value(word.line), word.line);
    }
    return rows;
}

} // namespace

int runKanaCommand(const QStringList &args, const CliStreams &io)
{
    CommandArguments arguments(QStringLiteral("kana"), QStringLiteral("[ファイル|-]"),
                               QStringLiteral("漢字かな混じり文を、点訳かな変換と同じく分かち書きした点訳かなに変換し、"
                                              "1 行ずつ出力します（UTF-8）。\n読みの分からない語は書かれたまま残し、"
                                              "標準エラー出力に書き出します。"));
    arguments.describeOperand(QStringLiteral("ファイル"),
                              QStringLiteral("変換する文（UTF-8、UTF-16 または cp932）。省くか「-」で標準入力"));
    arguments.addOption({QStringLiteral("dict")}, QStringLiteral("データフォルダーのものの代わりに使う単語登録のファイル"),
                        QStringLiteral("PATH"));
    arguments.addOption({QStringLiteral("mecab-dir")},
                        QStringLiteral("使う MeCab の辞書（UTF-8 の IPA 辞書）のフォルダー。省くと環境変数 "
                                       "MIRABO_MECAB_DICDIR、設定、いつもの場所の順に探す"),
                        QStringLiteral("DIR"));
    arguments.addOption({QStringLiteral("from")},
                        QStringLiteral("ファイルを文書として読む: docx、odt、html、xhtml、epub、pdf "
                                       "（省くと拡張子から）、または text。文書のルビはその語の読みに使う"),
                        QStringLiteral("FORMAT"));
    arguments.addOption({QStringLiteral("check")},
                        QStringLiteral("変換した文の代わりに、読みの確かでない語を 1 語 1 行で出力する: "
                                       "行<TAB>桁<TAB>表記<TAB>読み<TAB>候補（/ 区切り）<TAB>理由"
                                       "（unknown,homograph,analysis,dictionary）"));
    if (const auto outcome = arguments.parse(args, io.out, io.err); !outcome.run)
        return outcome.status;
    QString dictPath = UserDictionary::defaultPath();
    const QString mecabDir = arguments.value(QStringLiteral("mecab-dir"));
    if (arguments.isSet(QStringLiteral("mecab-dir")) && mecabDir.isEmpty())
        return arguments.usageError(io.err, QStringLiteral("--mecab-dir にはフォルダーが必要です。"));
    const QString from = arguments.value(QStringLiteral("from"));
    if (arguments.isSet(QStringLiteral("dict"))) {
        dictPath = arguments.value(QStringLiteral("dict"));
        if (dictPath.isEmpty())
            return arguments.usageError(io.err, QStringLiteral("--dict にはファイル名が必要です。"));
    }
    const QString input = arguments.inputOperand();
    std::FILE *const err = io.err;

    const bool fromText = from == u"text" || from == u"txt";
    const DocumentImporter::Format format = fromText           ? DocumentImporter::Format::Unknown
                                            : !from.isEmpty() ? DocumentImporter::formatNamed(from)
                                                              : DocumentImporter::formatOfFile(input);
    if (!from.isEmpty() && !fromText && format == DocumentImporter::Format::Unknown)
        return arguments.usageError(err, QStringLiteral("--from の形式 %1 は分かりません（text, %2 のどれか）。")
                                             .arg(from, DocumentImporter::formatNames().join(QStringLiteral(", "))));

    KanaConverter converter(MorphemeAnalyzer::locateDictionaryDir(mecabDir));
    if (!converter.isReady()) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::kanaMessage(converter.error())));
        return kExitFailed;
    }
    // The user's own file may be missing (nothing registered yet); one named
    // on the command line must be there.
    if (dictPath != UserDictionary::defaultPath() && !QFileInfo::exists(dictPath)) {
        writeUtf8(err, QStringLiteral("mirabo-cli: 単語登録のファイル %1 がありません。\n").arg(dictPath));
        return kExitFailed;
    }
    const UserDictionaryLoad dictionary = UserDictionary::load(dictPath);
    if (dictionary.error) {
        writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::kanaMessage(dictionary.error)));
        return kExitFailed;
    }
    for (const QString &problem : UserMessages::userDictionaryProblems(dictionary.problems))
        writeUtf8(err, QStringLiteral("mirabo-cli: %1: %2\n").arg(dictPath, problem));
    converter.setUserEntries(dictionary.entries);
    const bool check = arguments.isSet(QStringLiteral("check"));
    if (check) {
        converter.setMarking(true);
        // The second dictionary is optional: without it the other marks stand.
        if (!converter.openSecondDictionary(MorphemeAnalyzer::locateSecondDictionaryDir()))
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::kanaMessage(converter.secondDictionaryError())));
    }
    QList<ConvertedWord> marked;
    QStringList sourceLines; // of a document's marked words, by line

    QString output;
    UniqueWords unknownWords;
    if (format != DocumentImporter::Format::Unknown) {
        QByteArray bytes;
        if (input == u"-") {
            QString error;
            const std::unique_ptr<QIODevice> standardInput = openInput(input, io.in, error);
            if (!error.isEmpty()) {
                writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(error));
                return kExitFailed;
            }
            bytes = standardInput->read(DocumentImporter::kMaxFileBytes + 1);
        }
        const DocumentImport imported = input == u"-" ? DocumentImporter::importBytes(bytes, format)
                                                      : DocumentImporter::importFile(input, format);
        if (!imported.ok) {
            writeUtf8(err, QStringLiteral("mirabo-cli: %1\n").arg(UserMessages::importMessage(imported.problem)));
            return kExitFailed;
        }
        QList<FixedWord> readings;
        for (const RubyReading &ruby : imported.document.readings)
            readings.append(KanaWords::fixedWordOfRuby(ruby.start, ruby.length, ruby.reading));
        const KanaConversion converted = converter.convertText(imported.document.text, readings);
        output = converted.text + u'\n';
        unknownWords.add(converted.unknownWords);
        marked = converted.words;
        sourceLines = imported.document.text.split(u'\n');
    }
    // Plain text is converted a line at a time, so memory does not grow with
    // the input.
    Utf8Output streamed(io.out);
    if (format == DocumentImporter::Format::Unknown) {
        qsizetype lineIndex = 0;
        const bool read = streamInputLines(input, io.in, err, [&](QStringView line) {
            const KanaConversion converted = converter.convertLine(line.toString());
            if (check) {
                for (const ConvertedWord &word : converted.words) {
                    if (word.doubts)
                        streamed.write(checkRow(word, line, lineIndex));
                }
            } else {
                streamed.writeLine(converted.text);
            }
            unknownWords.add(converted.unknownWords);
            ++lineIndex;
            return streamed.ok();
        });
        if (!read) {
            streamed.flush();
            return kExitFailed;
        }
    }
    if (!streamed.flush()) {
        reportWriteFailure(err, errno);
        return kExitFailed;
    }
    // Under --check the unknown words are rows of their own.
    if (check)
        output = checkRows(marked, sourceLines);
    else if (!unknownWords.words().isEmpty())
        writeUtf8(err, QStringLiteral("mirabo-cli: 読みの分からない語: %1\n").arg(unknownWords.words().join(u' ')));
    if (!writeUtf8(io.out, output) || std::fflush(io.out) != 0) {
        reportWriteFailure(err, errno);
        return kExitFailed;
    }
    return kExitDone;
}
