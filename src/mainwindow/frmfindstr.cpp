#include "frmfindstr.h"

#include "labelledfields.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmfindstr::frmfindstr(QPlainTextEdit *txtdpbox, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_document(txtdpbox)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmfindstr"));
    setWindowTitle(QStringLiteral("文字列の検索"));
    setFont(JapaneseFonts::proportionalGothic(9));
    setFixedSize(Twips::toPixels(QSize(6435, 1470), this));

    createControls();
    Form_Load();
}

void frmfindstr::createControls()
{
    // Created in tab order.
    using Twips::place;

    txtsearch = new QLineEdit(this);
    place(txtsearch, "txtsearch", QRect(840, 240, 3855, 270));
    txtsearch->setAccessibleName(QStringLiteral("検索する文字列"));

    cmdsearch = new QPushButton(QStringLiteral("検索(&F)"), this);
    place(cmdsearch, "cmdsearch", QRect(5040, 120, 1095, 375));
    // Enter searches; Escape closes the dialog like cmdcancel.
    cmdsearch->setDefault(true);
    connect(cmdsearch, &QPushButton::clicked, this, &frmfindstr::cmdsearch_Click);

    cmdcancel = new QPushButton(QStringLiteral("キャンセル"), this);
    place(cmdcancel, "cmdcancel", QRect(5040, 720, 1095, 375));
    connect(cmdcancel, &QPushButton::clicked, this, &frmfindstr::cmdcancel_Click);

    chkmoji = new QCheckBox(QStringLiteral("大/小文字を区別(&K)"), this);
    place(chkmoji, "chkmoji", QRect(600, 720, 2655, 255));

    chktop = new QCheckBox(QStringLiteral("ファイルの先頭から検索(&T)"), this);
    place(chktop, "chktop", QRect(600, 1080, 2655, 255));

    lblsearch = new QLabel(QStringLiteral("検索する文字列(&N)："), this);
    place(lblsearch, "lblsearch", QRect(120, 240, 700, 270));
    LabelledFields::arrange(this, {{lblsearch, txtsearch}}, {cmdsearch, cmdcancel});
}

void frmfindstr::Form_Load()
{
    txtsearch->setText(m_document.selectedText());
    txtsearch->selectAll();
    txtsearch->setFocus(Qt::OtherFocusReason);
    chktop->setChecked(true);
}

void frmfindstr::cmdsearch_Click()
{
    const QString what = txtsearch->text();
    const qsizetype from = chktop->isChecked() ? 0 : m_document.selectionEnd();
    const auto comparison =
        chkmoji->isChecked() ? TextSearch::Comparison::Exact : TextSearch::Comparison::IgnoreCase;
    const qsizetype hit = TextSearch::indexOf(m_document.text(), what, from, comparison);
    if (hit < 0)
        UserDialogs::instance().inform(this, QStringLiteral("Mirabo"), kEndMessage);
    else
        m_document.select(hit, what.size());
    // The next search goes on behind the hit.
    chktop->setChecked(false);
    m_document.focusEditor();
}

void frmfindstr::cmdcancel_Click()
{
    close();
}
