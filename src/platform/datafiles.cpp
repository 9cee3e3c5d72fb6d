#include "datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList dataSearchDirectories()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    const QString beside =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/mirabo"));
    if (!dirs.contains(beside))
        dirs.append(beside);
    return dirs;
}

QString locateDataFile(const QString &fileName)
{
    for (const QString &dir : dataSearchDirectories()) {
        const QFileInfo info(QDir(dir).filePath(fileName));
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}

QString describeDataSearch(const QString &fileName)
{
    QStringList places;
    for (const QString &dir : dataSearchDirectories())
        places.append(QDir::toNativeSeparators(QDir(dir).filePath(fileName)));
    return places.join(u'\n');
}
