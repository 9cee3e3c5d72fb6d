#pragma once

#include "embossing/embossing.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// 点字印刷: the queue, the number of copies, the pages and two-sided
// printing of a document about to be embossed.
class EmbossDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("点字印刷");

    // The queue chosen first is `preferred` when the server has it, else
    // the default queue.
    EmbossDialog(const QList<Embossing::Queue> &queues, int pageCount, bool twoSided, const QString &preferred,
                 QWidget *parent = nullptr);

    QString queue() const;
    int copies() const;
    PageRange pages() const;
    bool twoSided() const;

private:
    void showQueueDetails();

    QList<Embossing::Queue> m_queues;
    QComboBox *m_queue = nullptr;
    QLabel *m_details = nullptr;
    QSpinBox *m_copies = nullptr;
    QRadioButton *m_allPages = nullptr;
    QSpinBox *m_first = nullptr;
    QSpinBox *m_last = nullptr;
    QCheckBox *m_twoSided = nullptr;
};
