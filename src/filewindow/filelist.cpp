#include "filelist.h"

#include <QDir>
#include <QKeyEvent>

FileList::FileList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit fileClicked(item->text()); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit fileDoubleClicked(item->text()); });
}

void FileList::setPath(const QString &path)
{
    m_path = path;
    clear();
    refresh();
}

void FileList::refresh()
{
    const QString selected = currentItem() ? currentItem()->text() : QString();
    clear();
    // Name filters match without regard to case unless told otherwise.
    const QStringList names = QDir(m_path).entryList({kPattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(names);
    const QList<QListWidgetItem *> found = findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !found.isEmpty())
        setCurrentItem(found.first());
}

QStringList FileList::fileNames() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        names.append(item(i)->text());
    return names;
}

// Choosing a file with the arrow keys or by typing its first letters picks it
// as a click does; Enter opens it as a double-click does.
void FileList::keyPressEvent(QKeyEvent *event)
{
    QListWidgetItem *before = currentItem();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && before) {
        emit fileDoubleClicked(before->text());
        return;
    }
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit fileClicked(currentItem()->text());
}
