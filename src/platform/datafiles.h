#pragma once

#include <QString>
#include <QStringList>

// Where the program's own data files (the code table, the help document) are
// looked for, in order: the user's data directory first, so that a user can
// supply their own files, then the system data directories, then the data
// directory that belongs to the executable (installed, or in the build tree).
QStringList dataSearchDirectories();

// The first existing file of that name in the search directories, or an empty
// string.
QString locateDataFile(const QString &fileName);

// The places a data file of that name was looked for, one per line, for
// messages that tell the user where to put it.
QString describeDataSearch(const QString &fileName);
