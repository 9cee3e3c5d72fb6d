// The check for characters that the program's files (cp932) cannot hold, on
// a text of many distinct such characters, beside the same check keeping
// what it found in a list, as it did before, in the same run.
//
//   mirabo-bench-lost [DISTINCT]   (80 000 unless given)

#include "platform/textcodec.h"

#include <QElapsedTimer>
#include <QStringEncoder>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// Characters of the supplementary ideographic plane: none is in cp932.
QString distinctCharacters(int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        const char32_t c = 0x20000 + char32_t(i);
        text += QString::fromUcs4(&c, 1);
    }
    return text;
}

// The peer: every character found is looked for in the list so far.
QStringList listedUnencodable(QStringView text)
{
    QStringList lost;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const QStringView cp = text.sliced(i, 2);
        QStringEncoder encoder("windows-31j");
        const QByteArray bytes = encoder.encode(cp);
        if ((encoder.hasError() || bytes.isEmpty()) && !lost.contains(cp.toString()))
            lost.append(cp.toString());
    }
    return lost;
}

template <typename F> double seconds(F &&f, qsizetype &found)
{
    QElapsedTimer timer;
    timer.start();
    found = f().size();
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 80000;
    const QString text = distinctCharacters(count);
    qsizetype found = 0;
    qsizetype peerFound = 0;
    const double set = seconds([&] { return Cp932::unencodableCharacters(text); }, found);
    const double list = seconds([&] { return listedUnencodable(text); }, peerFound);
    std::printf("%d distinct characters cp932 cannot hold\n", count);
    std::printf("  Cp932::unencodableCharacters (set)  %8.3f s  %lld found\n", set, qlonglong(found));
    std::printf("  the same kept in a list (before)    %8.3f s  %lld found\n", list, qlonglong(peerFound));
    return found == count && peerFound == count ? 0 : 1;
}
