#include "drivelist.h"

#include <QDir>
#include <QStorageInfo>

namespace {

const QStringList kMediaFolders = {QStringLiteral("/media"), QStringLiteral("/run/media"),
                                   QStringLiteral("/mnt")};

// File systems of the kernel and of packaging, which hold no user files.
const QList<QByteArray> kPseudoFileSystems = {
    "autofs",   "binfmt_misc", "bpf",        "cgroup",     "cgroup2",  "configfs", "debugfs", "devpts",
    "devtmpfs", "efivarfs",    "fusectl",    "hugetlbfs",  "mqueue",   "nsfs",     "overlay", "proc",
    "pstore",   "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs",    "tmpfs",   "tracefs",
};

bool isInside(const QString &path, const QString &folder)
{
    if (folder == QDir::rootPath())
        return path.startsWith(folder);
    return path == folder || path.startsWith(folder + u'/');
}

QString label(const QString &path, const QString &name)
{
    const QString shown = QDir::toNativeSeparators(path);
    return name.isEmpty() ? shown : QStringLiteral("%1 [%2]").arg(shown, name);
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    loadDrives();
}

void DriveList::loadDrives()
{
    clear();
    const QString root = QDir::rootPath();
    addItem(label(root, QString()), root);
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != root)
        addItem(label(home, QStringLiteral("ホーム")), home);

    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString path = QDir::cleanPath(volume.rootPath());
        if (!volume.isValid() || !isRemovableMedia(path, volume.fileSystemType()) || findData(path) >= 0)
            continue;
        addItem(label(path, volume.name()), path);
    }
}

void DriveList::showPopup()
{
    const QString shown = driveAt(currentIndex());
    loadDrives();
    const int index = findData(shown);
    if (index >= 0)
        setCurrentIndex(index);
    else
        showDriveOf(shown);
    QComboBox::showPopup();
}

QString DriveList::driveAt(int index) const
{
    return itemData(index).toString();
}

void DriveList::showDriveOf(const QString &path)
{
    QStringList drives;
    for (int i = 0; i < count(); ++i)
        drives.append(driveAt(i));
    const int index = driveOf(drives, path);
    if (index >= 0)
        setCurrentIndex(index);
}

bool DriveList::isRemovableMedia(const QString &rootPath, const QByteArray &fileSystemType)
{
    if (kPseudoFileSystems.contains(fileSystemType))
        return false;
    for (const QString &folder : kMediaFolders) {
        if (isInside(rootPath, folder))
            return true;
    }
    return false;
}

int DriveList::driveOf(const QStringList &drives, const QString &path)
{
    const QString cleaned = QDir::cleanPath(path);
    int found = -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (isInside(cleaned, drives[i]) && (found < 0 || drives[i].size() > drives[found].size()))
            found = i;
    }
    return found;
}
