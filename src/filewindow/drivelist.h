#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QStringList>

// The drive list Drive1: the places where a user's files live on this system,
// that is the root, the home folder and mounted removable media. Each entry
// holds the drive's path.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // Fills the list with the drives mounted now.
    void loadDrives();

    QString driveAt(int index) const;
    // Shows the drive that holds path; the list stays as it is when no drive does.
    void showDriveOf(const QString &path);

    // A mounted volume is offered as removable media when it is mounted where
    // desktops mount such media and holds a real file system.
    static bool isRemovableMedia(const QString &rootPath, const QByteArray &fileSystemType);
    // The drive among drives that holds path (the one with the longest path),
    // or -1.
    static int driveOf(const QStringList &drives, const QString &path);

protected:
    // Media may have come or gone since the list was filled.
    void showPopup() override;
};
