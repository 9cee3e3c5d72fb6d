#pragma once

#include "braillepages/documentinfo.h"

#include <QDialog>

class QLineEdit;

// 文書情報: the book's title, author, publisher and year, the transcriber
// and the year of the transcription, for the title page and the colophon.
class DocumentInfoDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("文書情報");

    explicit DocumentInfoDialog(const DocumentInfo &info, QWidget *parent = nullptr);

    DocumentInfo info() const;

private:
    QLineEdit *field(const char *name, const QString &value);

    QLineEdit *m_title = nullptr;
    QLineEdit *m_author = nullptr;
    QLineEdit *m_publisher = nullptr;
    QLineEdit *m_publicationYear = nullptr;
    QLineEdit *m_transcriber = nullptr;
    QLineEdit *m_transcriptionYear = nullptr;
};
