#include "userdictionarydialog.h"

#include "platform/gui/userdialogs.h"
#include "usermessages/usermessages.h"

#include <QBrush>
#include <QColor>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("単語登録");
const QString kNotKanaMessage =
    QStringLiteral("点訳かなには、かな・長音符「ー」・数字と語の間の空白だけを書いてください。");

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

} // namespace

UserDictionaryDialog::UserDictionaryDialog(const QString &path, QWidget *parent)
    : QDialog(parent), m_path(path), m_table(new QTableWidget(0, 2, this))
{
    setObjectName(QStringLiteral("userDictionaryDialog"));
    setWindowTitle(kTitle);
    m_table->setObjectName(QStringLiteral("entries"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("表記"), QStringLiteral("点訳かな")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("保存(&S)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto *add = new QPushButton(QStringLiteral("追加(&A)"), this);
    add->setObjectName(QStringLiteral("add"));
    auto *remove = new QPushButton(QStringLiteral("削除(&D)"), this);
    remove->setObjectName(QStringLiteral("delete"));
    connect(add, &QPushButton::clicked, this, &UserDictionaryDialog::addEntry);
    connect(remove, &QPushButton::clicked, this, &UserDictionaryDialog::deleteSelectedEntries);
    connect(buttons, &QDialogButtonBox::accepted, this, &UserDictionaryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &UserDictionaryDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    layout->addLayout(rowButtons);
    layout->addWidget(buttons);
    resize(480, 360);

    const UserDictionaryLoad load = UserDictionary::load(path);
    m_readBefore = load.entries;
    for (const UserDictionaryEntry &entry : load.entries) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, 0, new QTableWidgetItem(entry.written));
        m_table->setItem(row, 1, new QTableWidgetItem(entry.kana));
    }
    connect(m_table, &QTableWidget::itemChanged, this, &UserDictionaryDialog::checkReading);
    reportProblems(parent, kTitle, path, load);
}

void UserDictionaryDialog::reportProblems(QWidget *parent, const QString &title, const QString &path,
                                          const UserDictionaryLoad &load)
{
    // The same lines reported at every conversion would teach the user to
    // click the message away unread.
    static QSet<QString> reported;
    QStringList problems = UserMessages::userDictionaryProblems(load.problems);
    if (load.error)
        problems.prepend(UserMessages::kanaMessage(load.error));
    if (problems.isEmpty())
        return;
    const QString text =
        QStringLiteral("単語登録のファイル %1 の次の行は使えません（ファイルにはそのまま残ります）。\n%2")
            .arg(path, problems.join(u'\n'));
    if (reported.contains(text))
        return;
    reported.insert(text);
    UserDialogs::instance().warn(parent, title, text);
}

void UserDictionaryDialog::checkReading(QTableWidgetItem *item)
{
    if (item->column() != 1)
        return;
    const QString reading = item->text().trimmed();
    const bool refused = !reading.isEmpty() && !UserDictionary::isBrailleKana(reading);
    // Shown at the field until it is mended; saving is refused meanwhile.
    // (Marking the field changes the item too, which must not ask again.)
    {
        const QSignalBlocker quiet(m_table);
        item->setBackground(refused ? QBrush(QColor(255, 200, 200)) : QBrush());
        item->setToolTip(refused ? kNotKanaMessage : QString());
    }
    if (refused)
        UserDialogs::instance().warn(this, kTitle, QStringLiteral("「%1」: %2").arg(reading, kNotKanaMessage));
}

QList<UserDictionaryEntry> UserDictionaryDialog::entries() const
{
    QList<UserDictionaryEntry> result;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const UserDictionaryEntry entry{cellText(m_table, row, 0), cellText(m_table, row, 1)};
        if (!entry.written.isEmpty() || !entry.kana.isEmpty())
            result.append(entry);
    }
    return result;
}

void UserDictionaryDialog::addEntry()
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem);
    m_table->setItem(row, 1, new QTableWidgetItem);
    m_table->setCurrentCell(row, 0);
    m_table->editItem(m_table->item(row, 0));
}

void UserDictionaryDialog::deleteSelectedEntries()
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows)
        m_table->removeRow(row);
}

QString UserDictionaryDialog::check() const
{
    QSet<QString> seen;
    const QList<UserDictionaryEntry> list = entries();
    for (const UserDictionaryEntry &entry : list) {
        if (entry.written.isEmpty() || entry.kana.isEmpty())
            return QStringLiteral("「%1」: 表記と点訳かなの両方を入れてください。")
                .arg(entry.written.isEmpty() ? entry.kana : entry.written);
        if (entry.written.contains(u'\t') || entry.kana.contains(u'\t'))
            return QStringLiteral("「%1」: タブは使えません。").arg(entry.written);
        if (!UserDictionary::isBrailleKana(entry.kana))
            return QStringLiteral("「%1」の「%2」: %3").arg(entry.written, entry.kana, kNotKanaMessage);
        if (seen.contains(entry.written))
            return QStringLiteral("「%1」が二つあります。").arg(entry.written);
        seen.insert(entry.written);
    }
    return QString();
}

void UserDictionaryDialog::accept()
{
    QString error = check();
    if (error.isEmpty())
        error = UserMessages::kanaMessage(UserDictionary::save(m_path, entries(), m_readBefore));
    if (!error.isEmpty()) {
        UserDialogs::instance().warn(this, kTitle, error);
        return;
    }
    QDialog::accept();
}
