#include "app/frmsplash1.h"
#include "app/qttranslations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirabo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mirabo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mirabo.svg")));
    installQtJapaneseTranslations(app);

    frmSplash1 splash;
    splash.show();
    return app.exec();
}
