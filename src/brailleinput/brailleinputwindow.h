#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>

class BrailleEditor;
class QAction;
class QLabel;

// The window "点字入力": braille typed with six keys into a BrailleEditor,
// read back into kana under every line, and put into the main editor's text
// with 本文へ挿入. キー確認 shows which of the six keys the keyboard reports
// held at once.
class BrailleInputWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the window, creating it the first time; it is brought to the
    // front and keeps its cells. It has no owner. Closing only hides it, so
    // braille typed there is not lost and nothing needs to be asked. The
    // first time it opens centred over the window given, on its screen.
    static BrailleInputWindow *open(const QWidget *over = nullptr);
    ~BrailleInputWindow() override;

    BrailleEditor *editor() const { return editor_; }

    // Where 点字ファイル書き出し hands the braille lines (Unicode braille, one
    // string per line) to be laid out with the page settings and saved. Until
    // one is set the item is disabled.
    using BrailleFileExporter = std::function<void(QWidget *parent, const QStringList &lines)>;
    void setBrailleFileExporter(BrailleFileExporter exporter);

signals:
    // The kana reading of all lines, for the main editor's cursor.
    void insertIntoText(const QString &kana);

private:
    BrailleInputWindow();

    void createActions();
    void honbunSounyuu();
    void showKeyTest(bool shown);
    void updateKeyTest(int heldDots, int chordDots);
    void setKatakana(bool katakana);

    BrailleEditor *editor_ = nullptr;
    QLabel *keyTest_ = nullptr;
    QAction *exportAction_ = nullptr;
    BrailleFileExporter exporter_;
    int mostKeysHeld_ = 0;
};
