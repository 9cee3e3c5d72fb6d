#pragma once

#include "braillepages/pagesettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

// 点字ページ設定: the page form (片面, 両面 or any size), page numbers, and
// the book's layout: paragraph indent, blank lines around headings, the
// 目次 leader and the pages of a volume.
class PageSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("点字ページ設定");

    explicit PageSettingsDialog(const PageSettings &settings, QWidget *parent = nullptr);

    PageSettings settings() const;

private:
    void applyPreset(int index);
    void showPreset();

    QComboBox *m_preset = nullptr;
    QCheckBox *m_paragraphIndent = nullptr;
    QCheckBox *m_headingBlankLines = nullptr;
    QCheckBox *m_tocDotLeader = nullptr;
    QSpinBox *m_volumePages = nullptr;
    bool m_interpoint = false;
    QSpinBox *m_cells = nullptr;
    QSpinBox *m_lines = nullptr;
    QCheckBox *m_pageNumbers = nullptr;
};
