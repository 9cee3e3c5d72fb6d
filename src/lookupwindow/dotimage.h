#pragma once

#include <QAbstractButton>
#include <QPixmap>

// One dot picture of the look-up window. It is clicked with the mouse, or,
// once it has the keyboard focus, with Space or Enter; it shows the focus with
// a frame and passes arrow keys on so the window can move between positions.
// For assistive tools it is a check box whose state is fixed: the picture of
// a marked dot is checked, that of an unmarked dot is not.
class DotImage : public QAbstractButton
{
    Q_OBJECT

public:
    DotImage(const QPixmap &picture, bool showsMarkedDot, QWidget *parent);

    const QPixmap &picture() const { return picture_; }

signals:
    void arrowKeyPressed(Qt::Key key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A click changes which picture is in front, never this one's state.
    void nextCheckState() override {}
    QSize sizeHint() const override;

private:
    QPixmap picture_;
};
