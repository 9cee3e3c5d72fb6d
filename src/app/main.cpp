#include "tables/codetableloader.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirabo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mirabo"));

    const CodeTableLoad load = loadInstalledCodeTable();
    if (!load.ok)
        QMessageBox::warning(nullptr, QStringLiteral("Mirabo"), load.error);

    QLabel window(QStringLiteral("Mirabo  Ver2.1      "));
    window.setWindowTitle(QStringLiteral("Mirabo  Ver2.1      "));
    window.resize(620, 430);
    window.show();
    return app.exec();
}
