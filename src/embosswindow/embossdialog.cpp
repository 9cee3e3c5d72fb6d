#include "embossdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

EmbossDialog::EmbossDialog(const QList<Embossing::Queue> &queues, int pageCount, bool twoSided,
                           const QString &preferred, QWidget *parent)
    : QDialog(parent), m_queues(queues)
{
    setObjectName(QStringLiteral("EmbossDialog"));
    setWindowTitle(kTitle);

    m_queue = new QComboBox(this);
    m_queue->setObjectName(QStringLiteral("queue"));
    for (const Embossing::Queue &queue : queues) {
        QString caption = queue.info.isEmpty() || queue.info == queue.name
                              ? queue.name
                              : QStringLiteral("%1（%2）").arg(queue.name, queue.info);
        if (queue.isDefault)
            caption += QStringLiteral(" ［既定］");
        m_queue->addItem(caption, queue.name);
    }
    int chosen = m_queue->findData(preferred);
    for (int i = 0; chosen < 0 && i < queues.size(); ++i) {
        if (queues.at(i).isDefault)
            chosen = i;
    }
    m_queue->setCurrentIndex(qMax(0, chosen));
    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("queueDetails"));
    m_details->setWordWrap(true);

    m_copies = new QSpinBox(this);
    m_copies->setObjectName(QStringLiteral("copies"));
    m_copies->setRange(1, Embossing::kMaxCopies);
    m_copies->setSuffix(QStringLiteral(" 部"));

    m_allPages = new QRadioButton(QStringLiteral("すべて(&A)（%1 ページ）").arg(pageCount), this);
    m_allPages->setObjectName(QStringLiteral("allPages"));
    auto *somePages = new QRadioButton(QStringLiteral("ページ指定(&G)"), this);
    somePages->setObjectName(QStringLiteral("somePages"));
    m_first = new QSpinBox(this);
    m_first->setObjectName(QStringLiteral("firstPage"));
    m_last = new QSpinBox(this);
    m_last->setObjectName(QStringLiteral("lastPage"));
    for (QSpinBox *box : {m_first, m_last})
        box->setRange(1, qMax(1, pageCount));
    m_first->setValue(1);
    m_last->setValue(qMax(1, pageCount));
    m_first->setAccessibleName(QStringLiteral("開始ページ"));
    m_last->setAccessibleName(QStringLiteral("終了ページ"));
    m_allPages->setChecked(true);
    // The range follows what the user types into it.
    const auto chooseRange = [somePages] { somePages->setChecked(true); };
    connect(m_first, &QSpinBox::valueChanged, this, chooseRange);
    connect(m_last, &QSpinBox::valueChanged, this, chooseRange);
    connect(m_first, &QSpinBox::valueChanged, m_last, [this](int first) {
        if (m_last->value() < first)
            m_last->setValue(first);
    });
    connect(m_last, &QSpinBox::valueChanged, m_first, [this](int last) {
        if (m_first->value() > last)
            m_first->setValue(last);
    });
    auto *range = new QHBoxLayout;
    range->addWidget(somePages);
    range->addWidget(m_first);
    range->addWidget(new QLabel(QStringLiteral("〜"), this));
    range->addWidget(m_last);
    range->addWidget(new QLabel(QStringLiteral("ページ"), this));
    range->addStretch();

    m_twoSided = new QCheckBox(QStringLiteral("両面に打つ(&D)（インターポイント、用紙単位で印刷）"), this);
    m_twoSided->setObjectName(QStringLiteral("twoSided"));
    m_twoSided->setChecked(twoSided);

    auto *form = new QFormLayout;
    auto *queueLabel = new QLabel(QStringLiteral("プリンタ(&P):"), this);
    queueLabel->setBuddy(m_queue);
    form->addRow(queueLabel, m_queue);
    form->addRow(QString(), m_details);
    auto *copiesLabel = new QLabel(QStringLiteral("部数(&C):"), this);
    copiesLabel->setBuddy(m_copies);
    // A number of two digits needs no line's width.
    auto *copiesRow = new QHBoxLayout;
    copiesRow->addWidget(m_copies);
    copiesRow->addStretch();
    form->addRow(copiesLabel, copiesRow);
    auto *pagesBox = new QVBoxLayout;
    pagesBox->addWidget(m_allPages);
    pagesBox->addLayout(range);
    form->addRow(QStringLiteral("ページ:"), pagesBox);
    form->addRow(QString(), m_twoSided);

    auto *note = new QLabel(QStringLiteral("点字ページを BRF（点字 ASCII）で点字プリンタへ送ります。"), this);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("印刷(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(m_queue, &QComboBox::currentIndexChanged, this, &EmbossDialog::showQueueDetails);
    showQueueDetails();
}

void EmbossDialog::showQueueDetails()
{
    const int index = m_queue->currentIndex();
    if (index < 0 || index >= m_queues.size()) {
        m_details->clear();
        return;
    }
    const Embossing::Queue &queue = m_queues.at(index);
    QStringList details;
    if (!queue.makeAndModel.isEmpty())
        details << QStringLiteral("ドライバ: %1").arg(queue.makeAndModel);
    if (!queue.location.isEmpty())
        details << QStringLiteral("場所: %1").arg(queue.location);
    if (!queue.accepting)
        details << QStringLiteral("今は印刷を受け付けていません");
    m_details->setText(details.join(QStringLiteral("　")));
}

QString EmbossDialog::queue() const
{
    return m_queue->currentData().toString();
}

int EmbossDialog::copies() const
{
    return m_copies->value();
}

PageRange EmbossDialog::pages() const
{
    if (m_allPages->isChecked())
        return PageRange();
    return PageRange{m_first->value(), m_last->value()};
}

bool EmbossDialog::twoSided() const
{
    return m_twoSided->isChecked();
}
