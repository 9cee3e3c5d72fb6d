#include "helpwindow.h"

#include "platform/datafiles.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/showwindow.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("ヘルプ");

} // namespace

HelpWindow::HelpWindow(QWidget *owner) : QWidget(owner, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpwindow"));
    setWindowTitle(QStringLiteral("Mirabo ヘルプ"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setFont(JapaneseFonts::proportionalGothic(11));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(Twips::toPixels(QSize(9000, 9000), owner));
}

HelpWindow *HelpWindow::showFor(QWidget *owner, const QString &fileName)
{
    const QString path = locateDataFile(fileName);
    if (path.isEmpty()) {
        UserDialogs::instance().warn(
            owner, kTitle,
            QStringLiteral("ヘルプファイル「%1」が見つかりません。\n次の場所を探しました。\n%2")
                .arg(fileName, describeDataSearch(fileName)));
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        UserDialogs::instance().warn(
            owner, kTitle,
            QStringLiteral("ヘルプファイル「%1」を開けません。\n%2").arg(path, file.errorString()));
        return nullptr;
    }
    const QString html = QString::fromUtf8(file.readAll());

    auto *window = owner ? owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(owner);
        if (!owner)
            window->setAttribute(Qt::WA_DeleteOnClose);
        centreOver(window, owner);
    }
    window->m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    window->m_browser->setHtml(html);
    showInFront(window);
    return window;
}
