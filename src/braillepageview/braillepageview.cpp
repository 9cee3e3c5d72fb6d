#include "braillepageview.h"

#include "platform/settings.h"

#include "backtranslation/backtranslation.h"
#include "braillepages/pagelayout.h"
#include "braillepagewidget.h"
#include "pagereading.h"
#include "speech/speechoutput.h"

#include <QAction>
#include <QCheckBox>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kSettingsZoom = QStringLiteral("pageview/zoom");

} // namespace

BraillePageView::BraillePageView(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("BraillePageView"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_previous = toolbar->addAction(QStringLiteral("← 前のページ"), this, &BraillePageView::previousPage);
    m_previous->setObjectName(QStringLiteral("previousPage"));
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_next = toolbar->addAction(QStringLiteral("次のページ →"), this, &BraillePageView::nextPage);
    m_next->setObjectName(QStringLiteral("nextPage"));
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    // Added after the original page turning: the ends of the document and a
    // page by its number, for a book of hundreds of pages.
    m_first = toolbar->addAction(QStringLiteral("先頭ページ"), this, &BraillePageView::firstPage);
    m_first->setObjectName(QStringLiteral("firstPage"));
    m_first->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    m_last = toolbar->addAction(QStringLiteral("最終ページ"), this, &BraillePageView::lastPage);
    m_last->setObjectName(QStringLiteral("lastPage"));
    m_last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    m_goTo = toolbar->addAction(QStringLiteral("ページ指定…"), this, &BraillePageView::goToPage);
    m_goTo->setObjectName(QStringLiteral("goToPage"));
    m_goTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    for (QAction *action : {m_first, m_last, m_goTo})
        action->setToolTip(QStringLiteral("%1 (%2)").arg(action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    m_askPage = [this](int current, int count) -> std::optional<int> {
        bool ok = false;
        const int page = QInputDialog::getInt(this, QStringLiteral("ページ指定"),
                                              QStringLiteral("表示するページ（1〜%1）:").arg(count), current, 1, count, 1,
                                              &ok);
        return ok ? std::optional<int>(page) : std::nullopt;
    };
    m_pageLabel = new QLabel(toolbar);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setContentsMargins(12, 0, 12, 0);
    toolbar->addWidget(m_pageLabel);
    toolbar->addSeparator();

    auto *zoomLabel = new QLabel(QStringLiteral("拡大率(&Z)"), toolbar);
    zoomLabel->setContentsMargins(6, 0, 6, 0);
    m_zoom = new QSpinBox(toolbar);
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setRange(25, 400);
    m_zoom->setSingleStep(25);
    m_zoom->setSuffix(QStringLiteral(" %"));
    zoomLabel->setBuddy(m_zoom);
    toolbar->addWidget(zoomLabel);
    toolbar->addWidget(m_zoom);
    toolbar->addSeparator();

    m_mirror = new QCheckBox(QStringLiteral("凹面(&M)"), toolbar);
    m_mirror->setObjectName(QStringLiteral("mirror"));
    m_mirror->setToolTip(QStringLiteral(
        "裏から点筆で書くときの形: 行を右から左へ、1・2・3の点と4・5・6の点を入れ替えて表示します"));
    toolbar->addWidget(m_mirror);
    toolbar->addSeparator();
    QAction *print = toolbar->addAction(QStringLiteral("印刷(&P)"), this, &BraillePageView::printRequested);
    print->setObjectName(QStringLiteral("printPages"));
    toolbar->addSeparator();
    QAction *insert = toolbar->addAction(QStringLiteral("本文へ挿入(&I)"), this, &BraillePageView::honbunSounyuu);
    insert->setObjectName(QStringLiteral("honbunSounyuu"));

    m_pageWidget = new BraillePageWidget;
    // The zoom the user last chose, in any earlier view.
    m_zoom->setValue(Settings::instance().value(kSettingsZoom, m_pageWidget->zoom()).toInt());
    m_pageWidget->setZoom(m_zoom->value());
    connect(m_pageWidget, &BraillePageWidget::cellClicked, this,
            [this](int line, int cell) { emit cellClicked(page(), line, cell); });
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_pageWidget);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    m_outOfDate = new QLabel(kOutOfDateNotice, this);
    m_outOfDate->setObjectName(QStringLiteral("outOfDateNotice"));
    m_outOfDate->setContentsMargins(8, 4, 8, 4);
    m_outOfDate->setVisible(false);
    // Read first by a screen reader that enters the window.
    m_outOfDate->setAccessibleName(kOutOfDateNotice);
    layout->addWidget(m_outOfDate);
    layout->addWidget(m_scroll);

    connect(m_zoom, &QSpinBox::valueChanged, m_pageWidget, &BraillePageWidget::setZoom);
    connect(m_zoom, &QSpinBox::valueChanged, this, [](int percent) { Settings::instance().setValue(kSettingsZoom, percent); });
    connect(m_mirror, &QCheckBox::toggled, this, &BraillePageView::setMirrored);

    const QSize page = m_pageWidget->sizeHint();
    resize(qMax(page.width() + 40, toolbar->sizeHint().width()), qMin(page.height() + 80, 900));
    updateControls();
}

void BraillePageView::showDocument(const BraillePages &document, const QString &source)
{
    m_source = source;
    setOutOfDate(false);
    m_pageWidget->setDocument(document);
    m_pageWidget->adjustSize();
    setWindowTitle(QStringLiteral("%1 - %2").arg(kTitle, source));
    updateControls();
    readPageAloud();
    emit documentShown();
}

void BraillePageView::markCells(int page, int line, int firstCell, int count)
{
    if (count > 0 && page != this->page())
        setPage(page);
    m_pageWidget->setMarkedCells(line, firstCell, count);
    if (count > 0) {
        const QRect cells = m_pageWidget->cellRect(line, firstCell).toAlignedRect();
        m_scroll->ensureVisible(cells.center().x(), cells.center().y(), cells.width() * 2, cells.height() * 2);
    }
}

void BraillePageView::setOutOfDate(bool outOfDate)
{
    m_outOfDate->setVisible(outOfDate);
}

bool BraillePageView::isOutOfDate() const
{
    return !m_outOfDate->isHidden();
}

const BraillePages &BraillePageView::document() const
{
    return m_pageWidget->document();
}

int BraillePageView::page() const
{
    return m_pageWidget->page();
}

int BraillePageView::pageCount() const
{
    return int(document().pages.size());
}

bool BraillePageView::isMirrored() const
{
    return m_pageWidget->isMirrored();
}

void BraillePageView::setPage(int page)
{
    const int before = this->page();
    m_pageWidget->setPage(qBound(0, page, qMax(0, pageCount() - 1)));
    updateControls();
    if (this->page() != before)
        readPageAloud();
}

void BraillePageView::readPageAloud()
{
    SpeechOutput::instance().say(kanaOfPage(document(), page()).join(u'\n'));
}

void BraillePageView::nextPage()
{
    setPage(page() + 1);
}

void BraillePageView::previousPage()
{
    setPage(page() - 1);
}

void BraillePageView::firstPage()
{
    setPage(0);
}

void BraillePageView::lastPage()
{
    setPage(pageCount() - 1);
}

void BraillePageView::goToPage()
{
    if (pageCount() == 0)
        return;
    if (const std::optional<int> chosen = m_askPage(page() + 1, pageCount()))
        setPage(*chosen - 1);
}

void BraillePageView::setMirrored(bool mirrored)
{
    m_mirror->setChecked(mirrored);
    m_pageWidget->setMirrored(mirrored);
}

void BraillePageView::honbunSounyuu()
{
    // A page break is only a line end in the text; the page numbers are not
    // text. The kana are in the script chosen in 点字入力.
    const KanaScript script = Settings::katakanaInput() ? KanaScript::Katakana : KanaScript::Hiragana;
    const QStringList lines = backTranslateLines(PageLayout::textLines(document()), script);
    emit insertIntoText(lines.join(u'\n'));
}

void BraillePageView::updateControls()
{
    m_previous->setEnabled(page() > 0);
    m_next->setEnabled(page() + 1 < pageCount());
    m_first->setEnabled(page() > 0);
    m_last->setEnabled(page() + 1 < pageCount());
    m_goTo->setEnabled(pageCount() > 1);
    // Which volume, which part of the book and which side of the sheet the
    // page is, when the pages are a book's.
    const QString label = document().pageLabels.value(page());
    m_pageLabel->setText(
        pageCount() == 0  ? QStringLiteral("ページなし")
        : label.isEmpty() ? QStringLiteral("%1 / %2 ページ").arg(page() + 1).arg(pageCount())
                          : QStringLiteral("%1 / %2 ページ　%3").arg(page() + 1).arg(pageCount()).arg(label));
}
