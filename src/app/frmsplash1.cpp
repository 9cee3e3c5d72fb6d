#include "frmsplash1.h"

#include "mainwindow/form1.h"
#include "platform/gui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

const QSize kClientSize(5295, 5310);
const QRect kPictureRect(0, 0, 5295, 5295);
constexpr int kPicturePixels = 350;

} // namespace

frmSplash1::frmSplash1(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      Picture1(new QLabel(this)), Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash1"));
    setWindowTitle(QString());
    setFixedSize(Twips::toPixels(kClientSize, this));

    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(Twips::toPixels(kPictureRect, this));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(
        QIcon(QStringLiteral(":/images/splash.svg")).pixmap(QSize(kPicturePixels, kPicturePixels)));

    if (const QScreen *screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kInterval);
    connect(Timer1, &QTimer::timeout, this, &frmSplash1::Timer1_Timer);
    Timer1->start();
}

frmSplash1::~frmSplash1() = default;

void frmSplash1::Timer1_Timer()
{
    Timer1->stop();
    if (m_form1)
        return;
    m_form1 = std::make_unique<Form1>();
    m_form1->Form_Load();
    close();
    if (!m_fileToOpen.isEmpty())
        m_form1->openFile(m_fileToOpen);
}

void frmSplash1::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_form1) {
        // Closed before the main window came up: the program ends here.
        Timer1->stop();
        QCoreApplication::quit();
    }
}
