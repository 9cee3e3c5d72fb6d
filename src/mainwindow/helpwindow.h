#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// Shows the program's help document, which is shipped with its data.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    static inline const QString kFileName = QStringLiteral("tenhelp.html");

    // Opens the help document in the help window of owner (created on first
    // use, brought to the front after). A document that cannot be found or
    // read is reported to the user; the window is then not shown and nullptr
    // is returned.
    static HelpWindow *showFor(QWidget *owner, const QString &fileName = kFileName);

    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpWindow(QWidget *owner);

    QTextBrowser *m_browser;
};
