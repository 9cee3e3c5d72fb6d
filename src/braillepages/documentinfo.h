#pragma once

#include "platform/fileerror.h"

#include <QString>

// 文書情報: what the title page and the colophon of a braille book say. It
// is kept beside the text file, as "NAME.bookinfo" for "NAME.txt": UTF-8
// lines "書名=…", so that it stays readable and travels with the text.
// The fields that go into braille are written in kana, as the text is.
struct DocumentInfo
{
    QString title;             // 書名
    QString author;            // 著者
    QString publisher;         // 出版社
    QString publicationYear;   // 発行年
    QString transcriber;       // 点訳者
    QString transcriptionYear; // 点訳年

    bool isEmpty() const;

    // The file beside a text file that keeps its information.
    static QString pathBeside(const QString &textPath);

    QByteArray toBytes() const;
    static DocumentInfo fromBytes(const QByteArray &bytes);

    // Reads the file beside the text; a missing file gives empty
    // information and no error.
    static DocumentInfo loadBeside(const QString &textPath, FileProblem *error = nullptr);
    // Writes it beside the text through a safe save; an empty information
    // removes the file. Returns why not, or no problem.
    FileProblem saveBeside(const QString &textPath) const;

    bool operator==(const DocumentInfo &) const = default;
};
