#pragma once

#include "braillepages/pagesettings.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

// 点字ページ設定: cells per line, lines per page and page numbers.
class PageSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("点字ページ設定");

    explicit PageSettingsDialog(const PageSettings &settings, QWidget *parent = nullptr);

    PageSettings settings() const;

private:
    QSpinBox *m_cells = nullptr;
    QSpinBox *m_lines = nullptr;
    QCheckBox *m_pageNumbers = nullptr;
};
