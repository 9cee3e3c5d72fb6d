#include "platform/settings.h"
#include "app/frmsplash1.h"
#include "app/qttranslations.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Settings::setApplicationNames();
    QApplication::setApplicationVersion(QStringLiteral(MIRABO_VERSION));
    // The desktop entry's name, for the window's icon and grouping on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.mirabo.Mirabo"));
    // No display name: the platform would add it to every window's title.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mirabo.svg")));
    installQtJapaneseTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("点字翻訳"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("開くテキストファイル"), QStringLiteral("[FILE]"));
    parser.process(app);

    frmSplash1 splash;
    if (!parser.positionalArguments().isEmpty())
        splash.setFileToOpen(parser.positionalArguments().constFirst());
    splash.show();
    return app.exec();
}
