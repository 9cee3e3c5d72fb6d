#pragma once

#include <QListWidget>
#include <QString>

// The file list File1: the names of the text files (*.txt, in any case) of
// one folder, in name order.
class FileList : public QListWidget
{
    Q_OBJECT

public:
    static inline const QString kPattern = QStringLiteral("*.txt");

    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);
    // Reads the folder again; the selected name stays selected while it exists.
    void refresh();

    QStringList fileNames() const;

signals:
    // The user picked a file, with the mouse or the keyboard.
    void fileClicked(const QString &name);
    // A double-click or Enter on a file.
    void fileDoubleClicked(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_path;
};
