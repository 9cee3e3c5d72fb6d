#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Clipboard {

namespace {

TextWriter testWriter = nullptr;

} // namespace

void setTextWriterForTesting(TextWriter writer)
{
    testWriter = writer;
}

QString text()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return QString();
    const QMimeData *data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return QString();
    return data->text();
}

bool setText(const QString &text)
{
    if (testWriter)
        return testWriter(text);
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    // Reading back what was put there costs nothing while this program owns
    // the clipboard, and shows whether the text arrived.
    return clipboard->text(QClipboard::Clipboard) == text;
}

} // namespace Clipboard
