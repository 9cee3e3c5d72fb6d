#include "volumespool.h"

bool VolumeSpool::open()
{
    if (!file_.open())
        return false;
    stream_.setDevice(&file_);
    // The bytes never leave this process: its own order is the fastest.
    stream_.setByteOrder(QDataStream::ByteOrder(QSysInfo::ByteOrder));
    return true;
}

bool VolumeSpool::append(const BookLayout::VolumeBody &body)
{
    stream_ << body;
    if (stream_.status() != QDataStream::Ok)
        return false;
    ++count_;
    return true;
}

bool VolumeSpool::rewind()
{
    read_ = 0;
    stream_.resetStatus();
    return file_.flush() && file_.seek(0);
}

bool VolumeSpool::next(BookLayout::VolumeBody &body)
{
    if (read_ >= count_)
        return false;
    stream_ >> body;
    ++read_;
    return stream_.status() == QDataStream::Ok;
}
