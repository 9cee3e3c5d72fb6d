#include "researchlistwindow.h"

#include "platform/gui/userdialogs.h"
#include "platform/safesave.h"
#include "proofreading/convertedwords.h"
#include "proofreading/researchmodel.h"
#include "proofreading/userreadings.h"

#include "usermessages/usermessages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

ResearchListWindow::ResearchListWindow(ConvertedWords *words, const QString &userDictionaryPath,
                                       QPlainTextEdit *editor, QWidget *parent)
    : QWidget(parent, Qt::Window), m_words(words), m_userDictionaryPath(userDictionaryPath), m_editor(editor),
      m_model(new ResearchModel(this)), m_filter(new ResearchFilterModel(this)), m_table(new QTableView(this)),
      m_markedOnly(new QCheckBox(QStringLiteral("要確認語のみ(&M)"), this))
{
    setObjectName(QStringLiteral("researchlist"));
    setWindowTitle(kTitle);
    m_filter->setSourceModel(m_model);
    m_table->setObjectName(QStringLiteral("researchtable"));
    m_table->setAccessibleName(kTitle);
    m_table->setAccessibleDescription(QStringLiteral("語、読み、要確認の理由、回数、行。読みは F2 で変更できます"));
    m_table->setModel(m_filter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(ResearchModel::LinesColumn, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    connect(m_markedOnly, &QCheckBox::toggled, m_filter, &ResearchFilterModel::setMarkedOnly);

    auto *buttons = new QDialogButtonBox(this);
    auto *save = buttons->addButton(QStringLiteral("単語登録に保存(&S)"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("savetouserdictionary"));
    auto *exportButton = buttons->addButton(QStringLiteral("書き出し(&X)..."), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("exportlist"));
    auto *close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &ResearchListWindow::saveToUserDictionary);
    connect(exportButton, &QPushButton::clicked, this, &ResearchListWindow::exportList);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_markedOnly);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(560, 420);

    connect(m_words, &ConvertedWords::changed, this, &ResearchListWindow::refresh);
    connect(m_model, &ResearchModel::readingEdited, this, &ResearchListWindow::changeReading);
    connect(m_table, &QTableView::activated, this, &ResearchListWindow::goToFirstOccurrence);
    refresh();
}

void ResearchListWindow::refresh()
{
    m_model->setEntries(ResearchModel::entriesOf(*m_words));
    m_table->resizeColumnsToContents();
}

void ResearchListWindow::changeReading(const QString &written, const QString &oldKana, const QString &kana)
{
    if (m_words->setReadingOfAll(written, oldKana, kana) == 0)
        return;
    const auto same = std::find_if(m_changed.begin(), m_changed.end(),
                                   [&](const UserDictionaryEntry &entry) { return entry.written == written; });
    if (same != m_changed.end())
        same->kana = kana;
    else
        m_changed.append({written, kana});
}

void ResearchListWindow::goToFirstOccurrence(const QModelIndex &index)
{
    // Enter on an entry shows where it stands in the text.
    if (!index.isValid() || index.column() == ResearchModel::KanaColumn)
        return;
    const ResearchModel::Entry &entry = m_model->entries()[m_filter->mapToSource(index).row()];
    for (const ConvertedWords::Word &word : m_words->words()) {
        if (word.written == entry.written && word.kana == entry.kana) {
            QTextCursor cursor = m_editor->textCursor();
            cursor.setPosition(word.start());
            cursor.setPosition(word.end(), QTextCursor::KeepAnchor);
            m_editor->setTextCursor(cursor);
            m_editor->ensureCursorVisible();
            return;
        }
    }
}

bool ResearchListWindow::saveToUserDictionary()
{
    if (m_changed.isEmpty()) {
        UserDialogs::instance().inform(this, kTitle, QStringLiteral("この一覧で変えた読みはありません。"));
        return false;
    }
    const QString error = UserMessages::kanaMessage(UserReadings::add(m_userDictionaryPath, m_changed));
    if (!error.isEmpty()) {
        UserDialogs::instance().warn(this, kTitle, error);
        return false;
    }
    UserDialogs::instance().inform(this, kTitle,
                                   QStringLiteral("%1 語の読みを単語登録に保存しました。").arg(m_changed.size()));
    m_changed.clear();
    return true;
}

bool ResearchListWindow::exportList()
{
    const QString path = UserDialogs::instance().getSaveFileNameWithSuffix(
        this, QStringLiteral("下調べリストの書き出し"), QStringLiteral("下調べリスト.tsv"),
        QStringLiteral("タブ区切りテキスト (*.tsv)"), QStringLiteral("tsv"));
    return !path.isEmpty() && exportTo(path);
}

bool ResearchListWindow::exportTo(const QString &path)
{
    const SafeSaveResult saved = saveBytesSafely(path, m_model->toTsv());
    if (!saved.ok)
        UserDialogs::instance().warn(this, kTitle, UserMessages::fileMessage(saved.error));
    return saved.ok;
}
