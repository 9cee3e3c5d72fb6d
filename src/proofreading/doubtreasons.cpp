#include "doubtreasons.h"

#include <QStringList>

QString ReadingDoubtText::reasons(ReadingDoubts doubts)
{
    QStringList names;
    if (doubts.testFlag(ReadingDoubt::Unknown))
        names.append(QStringLiteral("辞書にない語"));
    if (doubts.testFlag(ReadingDoubt::Homograph))
        names.append(QStringLiteral("読みが複数ある語"));
    if (doubts.testFlag(ReadingDoubt::Analysis))
        names.append(QStringLiteral("解析が分かれる語"));
    if (doubts.testFlag(ReadingDoubt::Dictionary))
        names.append(QStringLiteral("別の辞書と読みが違う語"));
    return names.join(QStringLiteral("、"));
}
