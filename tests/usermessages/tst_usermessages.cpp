#include "usermessages/usermessages.h"

#include <QMetaEnum>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

// Each code's message, by the code's name.
using Messages = QMap<QString, QString>;

// The codes the libraries below the windows report, as the user reads them.
class TestUserMessages : public QObject
{
    Q_OBJECT

private slots:
    void everyCodeIsWorded_data();
    void everyCodeIsWorded();
    void usersTextIsShownAsWritten_data();
    void usersTextIsShownAsWritten();
};

namespace {

// The message of each code of Enum, by its key; the code None says nothing.
template<typename Enum>
Messages wordEach(const std::function<QString(Enum)> &word)
{
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    Messages messages;
    for (int i = 0; i < meta.keyCount(); ++i)
        messages.insert(QString::fromLatin1(meta.key(i)), word(Enum(meta.value(i))));
    return messages;
}

CodeTableProblem tableProblem(CodeTableIssue issue)
{
    return {.line = 3, .issue = issue, .row = CodeRow::NumeralSign, .lastRow = 70, .count = 9, .limit = 8, .text = u"x"_s};
}

} // namespace

void TestUserMessages::everyCodeIsWorded_data()
{
    QTest::addColumn<Messages>("messages");

    QTest::newRow("code table not loaded") << wordEach<CodeTableError>([](CodeTableError error) {
        CodeTableLoad load;
        load.error = error;
        load.file = {FileError::NotOpened, u"gaiji.txt"_s, u"reason"_s};
        load.fileName = u"gaiji.txt"_s;
        load.searched = u"/a/gaiji.txt"_s;
        return UserMessages::codeTableError(load);
    });
    QTest::newRow("code table lines") << wordEach<CodeTableIssue>([](CodeTableIssue issue) {
        return UserMessages::codeTableProblemMessage(tableProblem(issue));
    });
    QTest::newRow("user dictionary lines") << wordEach<UserDictionaryIssue>([](UserDictionaryIssue issue) {
        return UserMessages::userDictionaryProblem({.line = 2, .issue = issue, .written = u"語"_s, .kana = u"go"_s,
                                                    .firstLine = 1});
    });
    QTest::newRow("document import") << wordEach<ImportError>([](ImportError error) {
        return UserMessages::importMessage({.error = error,
                                            .format = DocumentImporter::Format::Word,
                                            .part = u"OPF"_s,
                                            .detail = u"reason"_s,
                                            .file = u"a.docx"_s});
    });
    QTest::newRow("speech") << wordEach<SpeechProblem::Error>([](SpeechProblem::Error error) {
        return UserMessages::speechMessage({error, u"reason"_s});
    });
}

void TestUserMessages::everyCodeIsWorded()
{
    QFETCH(Messages, messages);
    QVERIFY(!messages.isEmpty());
    QSet<QString> seen;
    for (auto it = messages.cbegin(); it != messages.cend(); ++it) {
        if (it.key() == u"None") {
            QVERIFY2(it.value().isEmpty(), qPrintable(it.value()));
            continue;
        }
        QVERIFY2(!it.value().trimmed().isEmpty(), qPrintable(it.key()));
        QVERIFY2(!seen.contains(it.value()), qPrintable(it.key() + u": "_s + it.value()));
        seen.insert(it.value());
    }
}

// What the user wrote (a word, a cell string, a file name) may hold "%1":
// it stands in the message as written, and the numbers stay in their places.
void TestUserMessages::usersTextIsShownAsWritten_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("a word on two lines")
        << UserMessages::userDictionaryProblem(
               {.line = 7, .issue = UserDictionaryIssue::Repeated, .written = u"10%3"_s, .firstLine = 2})
        << QStringList{u"10%3"_s, u"7 "_s, u"2 "_s};
    QTest::newRow("a reading that is not kana")
        << UserMessages::userDictionaryProblem(
               {.line = 4, .issue = UserDictionaryIssue::NotKana, .written = u"%2"_s, .kana = u"%1ab"_s})
        << QStringList{u"「%2」"_s, u"「%1ab」"_s, u"4 "_s};
    QTest::newRow("cells that are not braille")
        << UserMessages::codeTableProblemText(
               {.line = 5, .issue = CodeTableIssue::NotBraille, .row = 5, .lastRow = 5, .text = u"%1"_s})
        << QStringList{u"「%1」"_s, u"5行目"_s};
    QTest::newRow("a document's file name")
        << UserMessages::importMessage({.error = ImportError::Damaged, .file = u"%1%2.docx"_s})
        << QStringList{u"%1%2.docx: "_s};
}

void TestUserMessages::usersTextIsShownAsWritten()
{
    QFETCH(QString, message);
    QFETCH(QStringList, parts);
    for (const QString &part : parts)
        QVERIFY2(message.contains(part), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestUserMessages)
#include "tst_usermessages.moc"
