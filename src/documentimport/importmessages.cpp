#include "importmessages.h"

namespace ImportMessages {

QString damaged()
{
    return QStringLiteral("文書が壊れているため読み込めません。");
}

QString encrypted()
{
    return QStringLiteral("文書が暗号化（パスワードで保護）されているため読み込めません。"
                          "保護を解除してから取り込んでください。");
}

QString tooLarge()
{
    return QStringLiteral("文書が大きすぎるため読み込めません（展開後 64 MB まで）。");
}

QString entityDeclarations()
{
    return QStringLiteral("文書に実体宣言（DTD）が含まれているため読み込めません。");
}

QString tooDeep()
{
    return QStringLiteral("文書の入れ子が深すぎるため読み込めません。");
}

QString notThisFormat(const QString &format)
{
    return QStringLiteral("%1 の文書として読めません。").arg(format);
}

QString missingPart(const QString &part)
{
    return QStringLiteral("文書に %1 がないため読み込めません。").arg(part);
}

QString noText()
{
    return QStringLiteral("文書に文字がありません。紙面を写した画像だけの PDF などは、文字を読み取れません。");
}

} // namespace ImportMessages
