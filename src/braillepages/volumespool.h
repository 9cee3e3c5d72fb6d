#pragma once

#include "booklayout.h"

#include <QDataStream>
#include <QTemporaryFile>

// Volume bodies kept in a temporary file until the book's number of volumes
// is known, which its title pages and colophons name: a book of any length
// goes through the memory of one volume. The file goes with the spool.
class VolumeSpool
{
public:
    // False when the temporary file cannot be made (errorString()).
    bool open();
    // False when it could not be written, a full disk for one.
    bool append(const BookLayout::VolumeBody &body);
    int count() const { return count_; }

    // Reads the bodies back in order, from the first; false at a failure
    // (or past the last).
    bool rewind();
    bool next(BookLayout::VolumeBody &body);

    QString errorString() const { return file_.errorString(); }

private:
    QTemporaryFile file_;
    QDataStream stream_;
    int count_ = 0;
    int read_ = 0;
};
