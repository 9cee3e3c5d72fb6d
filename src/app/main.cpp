#include "app/frmsplash1.h"
#include "app/qttranslations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirabo"));
    // No display name: the platform would add it to every window's title.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mirabo.svg")));
    installQtJapaneseTranslations(app);

    frmSplash1 splash;
    splash.show();
    return app.exec();
}
