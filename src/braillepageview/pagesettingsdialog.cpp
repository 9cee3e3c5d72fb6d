#include "pagesettingsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

enum PresetIndex { kSingle, kInterpoint, kOther };

} // namespace

PageSettingsDialog::PageSettingsDialog(const PageSettings &settings, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PageSettingsDialog"));
    setWindowTitle(kTitle);

    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("preset"));
    m_preset->addItems({QStringLiteral("片面 32マス × 22行"), QStringLiteral("両面 32マス × 18行"),
                        QStringLiteral("任意の大きさ（片面）")});
    m_cells = new QSpinBox(this);
    m_cells->setObjectName(QStringLiteral("cells"));
    m_cells->setRange(PageSettings::kMinCells, PageSettings::kMaxCells);
    m_cells->setValue(settings.cells);
    m_cells->setSuffix(QStringLiteral(" マス"));
    m_lines = new QSpinBox(this);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_lines->setRange(PageSettings::kMinLines, PageSettings::kMaxLines);
    m_lines->setValue(settings.lines);
    m_lines->setSuffix(QStringLiteral(" 行"));
    m_pageNumbers = new QCheckBox(QStringLiteral("ページ番号を各ページの1行目の右端に付ける(&N)"), this);
    m_pageNumbers->setObjectName(QStringLiteral("pageNumbers"));
    m_pageNumbers->setChecked(settings.pageNumbers);
    m_paragraphIndent = new QCheckBox(QStringLiteral("段落の1行目を3マス目から書く(&I)"), this);
    m_paragraphIndent->setObjectName(QStringLiteral("paragraphIndent"));
    m_paragraphIndent->setChecked(settings.paragraphIndent);
    m_headingBlankLines = new QCheckBox(QStringLiteral("見出しの前と大見出しの後を1行あける(&H)"), this);
    m_headingBlankLines->setObjectName(QStringLiteral("headingBlankLines"));
    m_headingBlankLines->setChecked(settings.headingBlankLines);
    m_tocDotLeader =
        new QCheckBox(QStringLiteral("目次の見出しとページの間を点線(2-5の点)でつなぐ(&D)"), this);
    m_tocDotLeader->setObjectName(QStringLiteral("tocDotLeader"));
    m_tocDotLeader->setChecked(settings.tocDotLeader);
    m_volumePages = new QSpinBox(this);
    m_volumePages->setObjectName(QStringLiteral("volumePages"));
    m_volumePages->setRange(PageSettings::kMinVolumePages, PageSettings::kMaxVolumePages);
    m_volumePages->setValue(settings.volumePages);
    m_volumePages->setSuffix(QStringLiteral(" ページ"));
    m_interpoint = settings.interpoint;
    showPreset();
    connect(m_preset, &QComboBox::activated, this, &PageSettingsDialog::applyPreset);
    connect(m_cells, &QSpinBox::valueChanged, this, &PageSettingsDialog::showPreset);
    connect(m_lines, &QSpinBox::valueChanged, this, &PageSettingsDialog::showPreset);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("ページの形(&P)"), m_preset);
    form->addRow(QStringLiteral("1行のマス数(&C)"), m_cells);
    form->addRow(QStringLiteral("1ページの行数(&L)"), m_lines);
    form->addRow(m_pageNumbers);
    form->addRow(m_paragraphIndent);
    form->addRow(m_headingBlankLines);
    form->addRow(m_tocDotLeader);
    form->addRow(QStringLiteral("1巻のページ数の上限(&V)"), m_volumePages);
    form->addRow(buttons);
}

void PageSettingsDialog::applyPreset(int index)
{
    if (index == kOther) {
        m_interpoint = false;
        return;
    }
    const PageSettings preset = PageSettings::preset(index == kInterpoint ? PageSettings::Preset::Interpoint
                                                                          : PageSettings::Preset::Single);
    m_interpoint = preset.interpoint;
    const QSignalBlocker cells(m_cells);
    const QSignalBlocker lines(m_lines);
    m_cells->setValue(preset.cells);
    m_lines->setValue(preset.lines);
    m_pageNumbers->setChecked(true);
}

// Interpoint stays only while the size is its preset's.
void PageSettingsDialog::showPreset()
{
    const bool single = m_cells->value() == 32 && m_lines->value() == 22;
    const bool interpoint = m_cells->value() == 32 && m_lines->value() == 18;
    if (!interpoint)
        m_interpoint = false;
    m_preset->setCurrentIndex(m_interpoint && interpoint ? kInterpoint
                              : single && !m_interpoint  ? kSingle
                                                         : kOther);
}

PageSettings PageSettingsDialog::settings() const
{
    PageSettings result;
    result.cells = m_cells->value();
    result.lines = m_lines->value();
    result.pageNumbers = m_pageNumbers->isChecked();
    result.interpoint = m_interpoint;
    result.paragraphIndent = m_paragraphIndent->isChecked();
    result.headingBlankLines = m_headingBlankLines->isChecked();
    result.tocDotLeader = m_tocDotLeader->isChecked();
    result.volumePages = m_volumePages->value();
    return result;
}
