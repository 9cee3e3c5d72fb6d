#pragma once

#include "kana/kanaconverter.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class QPlainTextEdit;
class QWidget;

// 翻訳 → 点訳かな変換 and 単語登録 for an editor: rewrites kanji-mixed text
// as braille kana in place, so the user proofreads it before 点字翻訳.
class KanaConversionCommand : public QObject
{
    Q_OBJECT

public:
    // The dictionary is opened at the first conversion; userDictionaryPath
    // empty means the file in the user's data directory.
    KanaConversionCommand(QPlainTextEdit *editor, QWidget *window,
                          const QString &userDictionaryPath = QString());
    ~KanaConversionCommand() override;

    QString userDictionaryPath() const { return m_userDictionaryPath; }

public slots:
    // Converts the selection, or the whole text when nothing is selected, as
    // one step that undo reverses, then lists the words it could not read.
    // False when nothing could be converted (no dictionary).
    bool convert();
    // Shows the 単語登録 dialog.
    void editUserDictionary();

signals:
    // Lines were converted, each with where its kana now begins in the
    // editor's document; told once for a conversion.
    void linesConverted(const QList<std::pair<int, KanaConversion>> &lines);

public:
    // Before 点字翻訳: text with kanji offers the conversion first. True
    // when the translation should go on (converted, or the user said no).
    // editorText is the editor's text, read by the caller; after a
    // conversion it is read again.
    bool offerBeforeTranslation(QString &editorText);

private:
    struct ConvertedLine
    {
        int start = 0;  // in the document, before the conversion
        int length = 0; // of the line as written
        KanaConversion conversion;
    };
    // The lines of text (starting at start in the document) that change,
    // each converted.
    QList<ConvertedLine> convertLines(KanaConverter &kana, const QString &text, int start,
                                      bool kanjiLinesOnly) const;
    // Writes the converted lines into the document as one step to undo.
    void replaceLines(int start, int end, const QList<ConvertedLine> &lines);

    KanaConverter *converter();
    void useConverter(std::unique_ptr<KanaConverter> converter);
    // Asks for the dictionary's folder when it could not be opened; empty
    // when the user gives none.
    QString chooseDictionary(const QString &problem);

    QPlainTextEdit *m_editor;
    QWidget *m_window;
    QString m_userDictionaryPath;
    std::unique_ptr<KanaConverter> m_converter;
};
