#pragma once

#include <QString>
#include <QTreeWidget>

// The directory list Dir1: the folders from the root down to the current one,
// each inside the one above it, and under the current folder its subfolders.
// A double-click or Enter on a folder asks to open it.
class DirList : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr int kPathRole = Qt::UserRole;

    explicit DirList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Shows the folder at path. False, with nothing changed, when it is not a
    // folder whose contents can be read.
    bool setPath(const QString &path);

    static bool canList(const QString &path);

signals:
    void pathChanged(const QString &path);
    // The user asked to open the folder at path.
    void folderChosen(const QString &path);

protected:
    // The folders are always open: no expand or collapse marks.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void fill();

    QString m_path;
};
