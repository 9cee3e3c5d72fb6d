#include "dirlist.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

DirList::DirList(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setUniformRowHeights(true);
    // A deep folder scrolls sideways instead of being cut off.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { emit folderChosen(item->data(0, kPathRole).toString()); });
}

bool DirList::canList(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

bool DirList::setPath(const QString &path)
{
    if (!canList(path))
        return false;
    m_path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    fill();
    emit pathChanged(m_path);
    return true;
}

void DirList::fill()
{
    clear();
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QTreeWidgetItem *current = nullptr;
    for (const QString &folder : chain) {
        const QString name = QFileInfo(folder).fileName();
        auto *item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(this);
        item->setText(0, name.isEmpty() ? QDir::toNativeSeparators(folder) : name);
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, folder);
        current = item;
    }

    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QFileInfoList subfolders =
        QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : subfolders) {
        auto *item = new QTreeWidgetItem(current);
        item->setText(0, info.fileName());
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, QDir::cleanPath(info.absoluteFilePath()));
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}
