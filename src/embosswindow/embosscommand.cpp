#include "embosscommand.h"

#include "braillefiles/braillefiles.h"
#include "embossdialog.h"
#include "platform/gui/userdialogs.h"
#include "platform/settings.h"

#include "usermessages/usermessages.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QStandardPaths>

namespace {

const QString kSettingsQueue = QStringLiteral("emboss/queue");

// The server may take seconds to answer or to give up.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

EmbossCommand::EmbossCommand(QWidget *window, PagesSource source)
    : QObject(window), m_window(window), m_source(std::move(source)),
      m_runDialog([](EmbossDialog &dialog) { return dialog.exec() == QDialog::Accepted; })
{
}

void EmbossCommand::addMenuItem(QMenu *menu)
{
    menu->addSeparator()->setObjectName(QStringLiteral("embossSeparator"));
    QAction *action = menu->addAction(QStringLiteral("点字印刷(&U)…"), this, &EmbossCommand::emboss);
    action->setObjectName(QStringLiteral("emboss"));
}

void EmbossCommand::emboss()
{
    if (const std::optional<Pages> pages = m_source())
        embossPages(*pages);
}

void EmbossCommand::embossPages(const Pages &pages)
{
    Embossing::QueueList list;
    {
        WaitCursor wait;
        list = Embossing::listQueues();
    }
    if (!list.error.ok()) {
        offerBrfFile(UserMessages::embossingMessage(list.error), pages.document);
        return;
    }
    if (list.queues.isEmpty()) {
        offerBrfFile(QStringLiteral("印刷サーバー（CUPS, %1）にプリンタがありません。点字プリンタを CUPS に追加してください"
                                    "（Debian では cups-filters と printer-driver-indexbraille に点字プリンタのドライバが"
                                    "あります）。")
                         .arg(Embossing::serverName()),
                     pages.document);
        return;
    }
    QSettings &settings = Settings::instance();
    EmbossDialog dialog(list.queues, int(pages.document.pages.size()), pages.twoSided,
                        settings.value(kSettingsQueue).toString(), m_window);
    if (!m_runDialog(dialog))
        return;
    settings.setValue(kSettingsQueue, dialog.queue());

    Embossing::Job job;
    job.queue = dialog.queue();
    job.title = pages.document.title;
    job.document = pages.document;
    job.pages = dialog.pages();
    job.copies = dialog.copies();
    job.twoSided = dialog.twoSided();
    Embossing::Sent sent;
    {
        WaitCursor wait;
        sent = Embossing::send(job);
    }
    if (sent.error.failure == Embossing::Failure::NoServer)
        offerBrfFile(UserMessages::embossingMessage(sent.error), pages.document);
    else if (!sent.error.ok())
        UserDialogs::instance().warn(m_window, EmbossDialog::kTitle, UserMessages::embossingMessage(sent.error));
}

void EmbossCommand::offerBrfFile(const QString &why, const BraillePages &document)
{
    UserDialogs &dialogs = UserDialogs::instance();
    const QString question =
        QStringLiteral("%1\n\n点字印刷の代わりに、点字ページを BRF ファイルに保存しますか？\n"
                       "BRF ファイルは点字プリンタの付属ソフトや別のパソコンから打ち出せます。")
            .arg(why);
    if (dialogs.askYesNo(m_window, EmbossDialog::kTitle, question) != UserDialogs::Answer::Yes)
        return;
    const QString name = document.title.isEmpty() ? QStringLiteral("点字") : document.title;
    const QString path = dialogs.getSaveFileNameWithSuffix(
        m_window, EmbossDialog::kTitle,
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name + QStringLiteral(".brf")),
        QStringLiteral("BRF (*.brf)"), QStringLiteral("brf"));
    if (path.isEmpty())
        return;
    const QString error = UserMessages::brailleFileMessage(BrailleFiles::save(path, BrailleFiles::Format::Brf, document));
    if (!error.isEmpty())
        dialogs.warn(m_window, EmbossDialog::kTitle, QStringLiteral("%1\nファイルは変更されていません。").arg(error));
}
