#pragma once

#include "braillepages/braillepages.h"

#include <QObject>

#include <functional>
#include <optional>

class EmbossDialog;
class QMenu;
class QWidget;

// 点字印刷: sends braille pages to an embosser's CUPS queue. Where there is
// no CUPS server or no queue, the user is offered the BRF file instead, to
// carry to the embosser another way.
class EmbossCommand : public QObject
{
    Q_OBJECT

public:
    // The pages to emboss and whether they are interpoint, or nothing when
    // there are none (the source has told the user why).
    struct Pages
    {
        BraillePages document;
        bool twoSided = false;
    };
    using PagesSource = std::function<std::optional<Pages>()>;
    // Shows the dialog; true when the user chose 印刷. Tests play the user.
    using DialogRunner = std::function<bool(EmbossDialog &)>;

    EmbossCommand(QWidget *window, PagesSource source);

    // After the menu's items, behind a separator: 点字印刷….
    void addMenuItem(QMenu *menu);
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

public slots:
    void emboss();

private:
    void embossPages(const Pages &pages);
    void offerBrfFile(const QString &why, const BraillePages &document);

    QWidget *m_window;
    PagesSource m_source;
    DialogRunner m_runDialog;
};
