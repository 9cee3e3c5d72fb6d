#include "frmreplacestr.h"

#include "labelledfields.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/twips.h"
#include "platform/gui/userdialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmreplacestr::frmreplacestr(QPlainTextEdit *txtdpbox, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_document(txtdpbox)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmreplacestr"));
    setWindowTitle(QStringLiteral("文字列の置換"));
    setFont(JapaneseFonts::proportionalGothic(9));
    setFixedSize(Twips::toPixels(QSize(5445, 1845), this));

    createControls();
    Form_Load();
}

void frmreplacestr::createControls()
{
    // Created in tab order.
    using Twips::place;

    txtsearch = new QLineEdit(this);
    place(txtsearch, "txtsearch", QRect(1320, 240, 3615, 270));

    txtreplace = new QLineEdit(this);
    place(txtreplace, "txtreplace", QRect(1320, 720, 3615, 270));

    lblsearch = new QLabel(QStringLiteral("文字列検索(&F)："), this);
    place(lblsearch, "lblsearch", QRect(120, 360, 1335, 255));

    ibireplace = new QLabel(QStringLiteral("置換文字列(&I)："), this);
    place(ibireplace, "ibireplace", QRect(120, 720, 1215, 255));

    // The labels stand beside their boxes, never under them.
    LabelledFields::arrange(this, {{lblsearch, txtsearch}, {ibireplace, txtreplace}}, {});

    cmdreplace = new QPushButton(QStringLiteral("置換(&R)"), this);
    place(cmdreplace, "cmdreplace", QRect(960, 1200, 1215, 375));
    // Enter replaces; Escape closes the dialog like cmdcancel.
    cmdreplace->setDefault(true);
    connect(cmdreplace, &QPushButton::clicked, this, &frmreplacestr::cmdreplace_Click);

    cmdreplaceall = new QPushButton(QStringLiteral("全て置換(&A)"), this);
    place(cmdreplaceall, "cmdreplaceall", QRect(2400, 1200, 1215, 375));
    connect(cmdreplaceall, &QPushButton::clicked, this, &frmreplacestr::cmdreplaceall_Click);

    cmdcancel = new QPushButton(QStringLiteral("キャンセル"), this);
    place(cmdcancel, "cmdcancel", QRect(3840, 1200, 1215, 375));
    connect(cmdcancel, &QPushButton::clicked, this, &frmreplacestr::cmdcancel_Click);
}

void frmreplacestr::Form_Load()
{
    txtsearch->setText(m_document.selectedText());
    txtsearch->selectAll();
    txtsearch->setFocus(Qt::OtherFocusReason);
}

void frmreplacestr::cmdreplace_Click()
{
    const QString what = txtsearch->text();
    // A selection that is not the search string is searched from its start,
    // so an occurrence inside it is found, not replaced. An empty search
    // string replaces nothing: it would match again and again at the caret.
    qsizetype from = m_document.selectionStart();
    if (!what.isEmpty() && m_document.selectedText() == what)
        from = m_document.replaceSelection(txtreplace->text());

    const qsizetype hit = TextSearch::indexOf(m_document.text(), what, from, TextSearch::Comparison::Exact);
    if (hit < 0) {
        reportEnd();
    } else {
        m_document.select(hit, what.size());
        FoundFlag = true;
    }
    m_document.focusEditor();
}

void frmreplacestr::cmdreplaceall_Click()
{
    m_document.replaceAll(txtsearch->text(), txtreplace->text());
    reportEnd();
    m_document.focusEditor();
}

void frmreplacestr::reportEnd()
{
    FoundFlag = false;
    UserDialogs::instance().inform(this, QStringLiteral("Mirabo"), kEndMessage);
}

void frmreplacestr::cmdcancel_Click()
{
    close();
}
