#include "tenkensakuf.h"

#include "clickablelabel.h"
#include "dotimage.h"
#include "lookup/braillemeaningtable.h"
#include "lookup/dotpatterninput.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/twips.h"
#include "speech/speechoutput.h"
#include "speech/spokentext.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kDotImageTwips = 420;
// The designed client area, with room below 終了 for 全消去.
const QSize kClientTwips(6270, 4095);
constexpr int kBottomMarginTwips = 120;
constexpr int kDesignPointSize = 9;

const QString kPrompt = QStringLiteral("印をしてください");
const QString kNotFound = QStringLiteral("見つかりません");

// Dot d of cell c stands at column 2 * (c - 1) + (d > 3) and row (d - 1) % 3
// of the grid; columns of one cell are 600 twips apart, cells 1440.
int dotColumn(int p)
{
    return 2 * ((p - 1) / 6) + ((p - 1) % 6 >= 3 ? 1 : 0);
}

int dotRow(int p)
{
    return (p - 1) % 3;
}

int dotAt(int column, int row)
{
    return 6 * (column / 2) + 3 * (column % 2) + row + 1;
}

QPoint dotTwips(int p)
{
    const int column = dotColumn(p);
    return {240 + 1440 * (column / 2) + 600 * (column % 2), 240 + 720 * dotRow(p)};
}

QString dotName(int p)
{
    return QStringLiteral("マス%1 の 点%2").arg((p - 1) / 6 + 1).arg((p - 1) % 6 + 1);
}

void setPointSize(QWidget *widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

} // namespace

// The dot pictures are compiled into a static library, whose resources must
// be registered by hand (registering twice does no harm), and not from inside
// a namespace.
static void registerDotPictures()
{
    Q_INIT_RESOURCE(lookup);
}

tenkensakuf *tenkensakuf::open(const QWidget *near)
{
    static QPointer<tenkensakuf> loaded;
    if (!loaded) {
        loaded = new tenkensakuf;
        centreOver(loaded, near);
    }
    showInFront(loaded);
    return loaded;
}

tenkensakuf::tenkensakuf()
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends; closing it ends
    // the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(QStringLiteral("tenkensakuf"));
    setWindowTitle(QStringLiteral("点字検索"));
    setFont(JapaneseFonts::gothic(9));
    setFixedSize(Twips::toPixels(kClientTwips, this));

    createControls();
    createDotImages();
    arrangeTabOrder();
    Form_Load();
    connect(&chord_, &SixKeyChord::cellTyped, this, &tenkensakuf::enterChord);
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void tenkensakuf::createControls()
{
    const auto place = [](QWidget *control, const char *name, const QRect &twips) {
        Twips::place(control, name, twips);
        control->setFont(JapaneseFonts::proportionalGothic(9));
    };
    const auto setUpLabel = [](QLabel *label) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
    };

    searchButton_ = new QPushButton(QStringLiteral("検索"), this);
    place(searchButton_, "検索", QRect(120, 2400, 1215, 375));
    connect(searchButton_, &QPushButton::clicked, this, &tenkensakuf::LookUpPattern);

    quitButton_ = new QPushButton(QStringLiteral("終了"), this);
    place(quitButton_, "終了", QRect(120, 3000, 1215, 375));
    connect(quitButton_, &QPushButton::clicked, this, &tenkensakuf::CloseLookUpWindow);

    clearButton_ = new QPushButton(QStringLiteral("全消去"), this);
    place(clearButton_, "全消去", QRect(120, 3600, 1215, 375));
    connect(clearButton_, &QPushButton::clicked, this, &tenkensakuf::clearAllDots);

    Label1 = new ClickableLabel(kPrompt, this);
    place(Label1, "Label1", QRect(1560, 2640, 1335, 765));
    setUpLabel(Label1);

    Label2 = new ClickableLabel(this);
    place(Label2, "Label2", QRect(3120, 2640, 1455, 795));
    setUpLabel(Label2);
    connect(Label2, &ClickableLabel::clicked, this, &tenkensakuf::Label2_Click);

    Label3 = new QLabel(QStringLiteral("その他"), this);
    place(Label3, "Label3", QRect(3120, 2400, 1455, 255));
    setUpLabel(Label3);

    Label4 = new QLabel(this);
    place(Label4, "Label4", QRect(4800, 2640, 1335, 765));
    setUpLabel(Label4);

    // A label's name is what it shows; the description says what that is.
    Label1->setAccessibleDescription(QStringLiteral("読み、または記号の名前"));
    Label2->setAccessibleDescription(QStringLiteral("その他の意味"));
    Label4->setAccessibleDescription(QStringLiteral("数字としての意味"));
    for (QLabel *label : {static_cast<QLabel *>(Label1), static_cast<QLabel *>(Label2), Label4})
        label->setProperty("designHeight", label->height());
}

void tenkensakuf::createDotImages()
{
    registerDotPictures();
    const QPixmap unmarked(QStringLiteral(":/lookup/dot-unmarked.png"));
    const QPixmap marked(QStringLiteral(":/lookup/dot-marked.png"));

    for (int p = 1; p <= kDotPositions; ++p) {
        const QRect place = Twips::toPixels(QRect(dotTwips(p), QSize(kDotImageTwips, kDotImageTwips)), this);
        // The back picture is created first so that the front one lies above it.
        auto *back = new DotImage(marked, true, this);
        auto *front = new DotImage(unmarked, false, this);
        images_[static_cast<size_t>(2 * p - 2)] = back;
        images_[static_cast<size_t>(2 * p - 1)] = front;

        for (DotImage *picture : {back, front}) {
            picture->setObjectName(QStringLiteral("Image%1").arg(picture == back ? 2 * p - 1 : 2 * p));
            picture->setGeometry(place);
            picture->setAccessibleName(dotName(p));
            connect(picture, &DotImage::arrowKeyPressed, this,
                    [this, p](Qt::Key key) { moveDotFocus(p, key); });
        }
        back->setAccessibleDescription(QStringLiteral("印あり"));
        front->setAccessibleDescription(QStringLiteral("印なし"));
        // Covered by the front picture, the back one takes no keyboard focus.
        back->setFocusPolicy(Qt::NoFocus);

        connect(front, &DotImage::clicked, this, [this, p] {
            setDotMarked(p, true);
            speakCell((p - 1) / kDotsPerCell);
        });
        connect(back, &DotImage::clicked, this, [this, p] {
            setDotMarked(p, false);
            speakCell((p - 1) / kDotsPerCell);
        });
    }
}

void tenkensakuf::arrangeTabOrder()
{
    // 検索, 終了, 全消去, then the dot positions in order; of the two pictures
    // of a position only the one in view can take the focus.
    QWidget *previous = clearButton_;
    QWidget::setTabOrder(searchButton_, quitButton_);
    QWidget::setTabOrder(quitButton_, clearButton_);
    for (int p = 1; p <= kDotPositions; ++p) {
        QWidget::setTabOrder(previous, image(2 * p));
        QWidget::setTabOrder(image(2 * p), image(2 * p - 1));
        previous = image(2 * p - 1);
    }
}

void tenkensakuf::Form_Load()
{
    DotFlags = QString(kDotPositions, u'0');
}

void tenkensakuf::setDotMarked(int p, bool marked)
{
    DotImage *back = image(2 * p - 1);
    DotImage *front = image(2 * p);
    // The keyboard focus stays on the position, on whichever picture is in view.
    if (marked) {
        back->setFocusPolicy(Qt::TabFocus);
        if (front->hasFocus())
            back->setFocus(Qt::OtherFocusReason);
        front->setVisible(false);
    } else {
        front->setVisible(true);
        if (back->hasFocus())
            front->setFocus(Qt::OtherFocusReason);
        back->setFocusPolicy(Qt::NoFocus);
    }
    DotFlags[p - 1] = marked ? u'1' : u'0';
    emit dotsChanged();
    clearResults();
    // After a click the next chord goes to the first empty cell again.
    chordCell_ = -1;
    chordStartsSign_ = false;
}

void tenkensakuf::clearResults()
{
    Label1->clear();
    Label2->clear();
    Label4->clear();
    fitResultLabels();
}

void tenkensakuf::fitResultLabels()
{
    int bottom = Twips::toPixels(kClientTwips.height() - kBottomMarginTwips, this);
    for (QLabel *label : {static_cast<QLabel *>(Label1), static_cast<QLabel *>(Label2), Label4}) {
        const int needed = label->text().isEmpty() ? 0 : label->heightForWidth(label->width());
        label->resize(label->width(), std::max(label->property("designHeight").toInt(), needed));
        bottom = std::max(bottom, label->geometry().bottom() + 1);
    }
    // The window grows for a long meaning and keeps its size while it is open,
    // so that it does not jump with every dot.
    const int height = std::max(this->height(), bottom + Twips::toPixels(kBottomMarginTwips, this));
    if (height != this->height())
        setFixedSize(width(), height);
}

void tenkensakuf::clearAllDots()
{
    for (int p = 1; p <= kDotPositions; ++p) {
        if (DotFlags[p - 1] == u'1')
            setDotMarked(p, false);
    }
    setPointSize(Label1, kDesignPointSize);
    Label1->setText(kPrompt);
    fitResultLabels();
}

void tenkensakuf::Label2_Click()
{
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label2->setPalette(palette);
}

void tenkensakuf::LookUpPattern()
{
    const QString SearchPattern = DotFlags;
    if (!SearchPattern.contains(u'1'))
        return;
    const std::optional<BrailleLookUp> meaning = lookUpBrailleSign(SearchPattern);
    if (!meaning) {
        clearResults();
        setPointSize(Label1, kDesignPointSize);
        Label1->setText(kNotFound);
        fitResultLabels();
        SpeechOutput::instance().say(kNotFound);
        return;
    }

    Label1->setText(meaning->label1Text);
    setPointSize(Label1, meaning->label1Size);
    if (!meaning->label2Text.isEmpty()) {
        Label2->setText(meaning->label2Text);
        setPointSize(Label2, meaning->label2Size);
    }
    if (!meaning->label4Text.isEmpty()) {
        Label4->setText(meaning->label4Text);
        setPointSize(Label4, meaning->label4Size);
    }
    fitResultLabels();
    QStringList spoken{meaning->label1Text, meaning->label2Text, meaning->label4Text};
    spoken.removeAll(QString());
    SpeechOutput::instance().say(spoken.join(QStringLiteral("。")));
}

void tenkensakuf::speakCell(int cell)
{
    int dots = 0;
    for (int d = 1; d <= kDotsPerCell; ++d) {
        if (DotFlags[kDotsPerCell * cell + d - 1] == u'1')
            dots |= 1 << (d - 1);
    }
    SpeechOutput::instance().say(SpokenText::cellDots(dots));
}

void tenkensakuf::CloseLookUpWindow()
{
    close();
}

void tenkensakuf::moveDotFocus(int p, Qt::Key key)
{
    int column = dotColumn(p);
    int row = dotRow(p);
    switch (key) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    default:
        return;
    }
    if (column < 0 || column >= 2 * kSignCells || row < 0 || row >= 3)
        return;
    const int next = dotAt(column, row);
    DotImage *front = image(2 * next);
    (front->isHidden() ? image(2 * next - 1) : front)->setFocus(Qt::TabFocusReason);
}

bool tenkensakuf::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate && watched == this)
        chord_.reset(); // the releases of the held keys go elsewhere
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress ? chord_.keyPress(*key) : chord_.keyRelease(*key))
        return true;
    if (event->type() == QEvent::KeyPress)
        chord_.settle();
    if (event->type() != QEvent::KeyPress || qobject_cast<DotImage *>(watched))
        return false;
    switch (key->key()) {
    case Qt::Key_Space:
        if (!key->isAutoRepeat())
            nextChordCell();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!key->isAutoRepeat()) {
            LookUpPattern();
            chordStartsSign_ = true;
        }
        return true;
    default:
        return false;
    }
}

int tenkensakuf::firstEmptyCell() const
{
    for (int c = 0; c < kSignCells; ++c) {
        if (DotFlags.mid(kDotsPerCell * c, kDotsPerCell) == QString(kDotsPerCell, u'0'))
            return c;
    }
    return kSignCells - 1;
}

void tenkensakuf::enterChord(int dots)
{
    int cell = chordCell_;
    if (chordStartsSign_) {
        for (int p = 1; p <= kDotPositions; ++p) {
            if (DotFlags[p - 1] == u'1')
                setDotMarked(p, false);
        }
        cell = 0;
    } else if (cell < 0) {
        cell = firstEmptyCell();
    }
    for (int d = 1; d <= kDotsPerCell; ++d) {
        const int p = kDotsPerCell * cell + d;
        const bool marked = dots & (1 << (d - 1));
        if ((DotFlags[p - 1] == u'1') != marked)
            setDotMarked(p, marked);
    }
    chordCell_ = cell;
    chordStartsSign_ = false;
    speakCell(cell);
}

int tenkensakuf::chordCell() const
{
    if (chordStartsSign_)
        return 0;
    return chordCell_ < 0 ? firstEmptyCell() : chordCell_;
}

void tenkensakuf::typeChord(int dots)
{
    if (dots == 0)
        nextChordCell();
    else
        enterChord(dots & 0x3F);
}

void tenkensakuf::nextChordCell()
{
    if (chordStartsSign_)
        enterChord(0);
    else if (chordCell_ < 0)
        chordCell_ = firstEmptyCell();
    chordCell_ = qMin(chordCell_ + 1, kSignCells - 1);
}
