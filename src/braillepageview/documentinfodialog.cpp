#include "documentinfodialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

DocumentInfoDialog::DocumentInfoDialog(const DocumentInfo &info, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DocumentInfoDialog"));
    setWindowTitle(kTitle);
    m_title = field("title", info.title);
    m_author = field("author", info.author);
    m_publisher = field("publisher", info.publisher);
    m_publicationYear = field("publicationYear", info.publicationYear);
    m_transcriber = field("transcriber", info.transcriber);
    m_transcriptionYear = field("transcriptionYear", info.transcriptionYear);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    auto *note =
        new QLabel(QStringLiteral("標題紙と奥付に点字で書く項目です。本文と同じく、かなで分かち書きして"
                                  "入力してください。巻数は巻分けから決まります。"),
                   this);
    note->setWordWrap(true);
    form->addRow(note);
    form->addRow(QStringLiteral("書名(&T)"), m_title);
    form->addRow(QStringLiteral("著者(&A)"), m_author);
    form->addRow(QStringLiteral("出版社(&P)"), m_publisher);
    form->addRow(QStringLiteral("発行年(&Y)"), m_publicationYear);
    form->addRow(QStringLiteral("点訳者(&R)"), m_transcriber);
    form->addRow(QStringLiteral("点訳年(&E)"), m_transcriptionYear);
    form->addRow(buttons);
    resize(480, sizeHint().height());
}

QLineEdit *DocumentInfoDialog::field(const char *name, const QString &value)
{
    auto *edit = new QLineEdit(value, this);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

DocumentInfo DocumentInfoDialog::info() const
{
    DocumentInfo result;
    result.title = m_title->text();
    result.author = m_author->text();
    result.publisher = m_publisher->text();
    result.publicationYear = m_publicationYear->text();
    result.transcriber = m_transcriber->text();
    result.transcriptionYear = m_transcriptionYear->text();
    return result;
}
