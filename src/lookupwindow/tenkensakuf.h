#pragma once

#include "platform/gui/sixkeychord.h"

#include <QString>
#include <QWidget>

#include <array>

class ClickableLabel;
class DotImage;
class QLabel;
class QPushButton;

// The braille look-up window "点字検索": the user marks the dots of a sign of
// up to four cells, presses 検索 and reads the sign's meanings in Label1,
// Label2 and Label4.
//
// Each of the 24 dot positions p (dot d of cell c, p = 6 * (c - 1) + d) is two
// pictures at one place: the marked dot Image(2p - 1) behind, the unmarked dot
// Image(2p) in front. A position is marked exactly when its front picture is
// hidden, and then DotFlags holds "1" for it.
class tenkensakuf : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDotPositions = 24; // four cells of six dots

    // Shows the window. When it is not open it is loaded first, with every dot
    // unmarked; an open window is only brought to the front and keeps its dots.
    // The window has no owner and is destroyed when it is closed; it first
    // opens centred over the window near, when one is given.
    static tenkensakuf *open(const QWidget *near = nullptr);

    // DotFlags joined in position order: "1" for a marked dot, "0" otherwise.
    QString dotFlags() const { return DotFlags; }
    // The cell the next chord marks (0..3).
    int chordCell() const;

    // Braille keys of a braille display, as the six keys: a chord marks a
    // cell, dots 0 (the space bar alone) moves to the next cell.
    void typeChord(int dots);

signals:
    // A dot was marked or unmarked.
    void dotsChanged();

public slots:
    // Shows the meanings of the marked sign, or says that the table does not
    // have it. Without a marked dot nothing changes.
    void LookUpPattern();
    void CloseLookUpWindow();
    // Unmarks every dot and shows the prompt again.
    void clearAllDots();

protected:
    // The six braille keys mark a cell, Space moves to the next cell and
    // Enter runs 検索, wherever the focus is in the window (a dot picture
    // with the focus keeps Space and Enter for itself).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    tenkensakuf();

    void createControls();
    void createDotImages();
    void arrangeTabOrder();
    void Form_Load();

    void setDotMarked(int p, bool marked);
    void clearResults();
    // Lets each result label grow to the height its text needs in the font in
    // use, and the window with them.
    void fitResultLabels();
    void Label2_Click();
    void moveDotFocus(int p, Qt::Key key);
    void enterChord(int dots);
    // Reads the marked dots of a cell (0..3) aloud, while reading is on.
    void speakCell(int cell);
    void nextChordCell();
    int firstEmptyCell() const;

    DotImage *image(int n) const { return images_[static_cast<size_t>(n - 1)]; }

    QPushButton *searchButton_ = nullptr; // 検索
    QPushButton *quitButton_ = nullptr;   // 終了
    QPushButton *clearButton_ = nullptr;  // 全消去
    ClickableLabel *Label1 = nullptr;
    ClickableLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    std::array<DotImage *, 2 * kDotPositions> images_{}; // Image1 .. Image48

    QString DotFlags; // entry p at index p - 1

    SixKeyChord chord_;
    int chordCell_ = -1;      // cell (0..3) that the next chord marks; -1: the first empty one
    bool chordStartsSign_ = false; // after a search by Enter, the next chord starts a new sign
};
