#include "pagesettingsdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

PageSettingsDialog::PageSettingsDialog(const PageSettings &settings, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PageSettingsDialog"));
    setWindowTitle(kTitle);

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

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("1行のマス数(&C)"), m_cells);
    form->addRow(QStringLiteral("1ページの行数(&L)"), m_lines);
    form->addRow(m_pageNumbers);
    form->addRow(buttons);
}

PageSettings PageSettingsDialog::settings() const
{
    PageSettings result;
    result.cells = m_cells->value();
    result.lines = m_lines->value();
    result.pageNumbers = m_pageNumbers->isChecked();
    return result;
}
