#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class ConvertedWords;
class KanaConversionCommand;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class ResearchListWindow;
struct KanaConversion;

// 校正 in the editor: the words 点訳かな変換 wrote keep their kanji, shown
// at the caret (status bar, accessible description) and under the mouse
// (tooltip); doubtful readings are marked with a wavy underline; the
// candidates of a marked word replace its kana; F8 and Shift+F8 walk the
// marks; 下調べリスト lists every word.
class ProofreadingCommands : public QObject
{
    Q_OBJECT

public:
    ProofreadingCommands(QPlainTextEdit *editor, KanaConversionCommand *conversion, QWidget *window);

    // After the original items, behind a separator.
    void addTranslationMenuItems(QMenu *menu);
    void addStatusWidgets(QStatusBar *statusBar);

    ConvertedWords *words() const { return m_words; }
    // The 下調べ list when it is open.
    ResearchListWindow *researchList() const;
    QLabel *sourceLabel() const { return m_sourceLabel; }
    QLabel *markCountLabel() const { return m_markCountLabel; }

    // The candidates of the word at the caret, as a menu that is not shown
    // yet; null when the caret is on no converted word.
    QMenu *candidateMenu(QWidget *parent);

public slots:
    void nextMark();
    void previousMark();
    // Opens the candidates under the word at the caret.
    void showCandidates();
    void showResearchList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMarks();
    void showWordAtCaret();
    void selectWord(int index);
    void showContextMenu(const QPoint &position);
    // The word's kana becomes kana; with remember also in 単語登録.
    void choose(int index, const QString &kana, bool remember);
    void editReading(int index);
    QString describe(int index) const;

    QPlainTextEdit *m_editor;
    QWidget *m_window;
    KanaConversionCommand *m_conversion;
    ConvertedWords *m_words;
    QLabel *m_sourceLabel = nullptr;
    QLabel *m_markCountLabel = nullptr;
    QPointer<ResearchListWindow> m_researchList;
};
