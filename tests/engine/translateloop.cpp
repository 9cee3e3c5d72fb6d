// Runs the braille translation command over and over on one text, as a
// second copy of the program would at the same time as the first:
//   translateloop TEXT COUNT
// Exits with 1 as soon as a translation fails or shows any other text.

#include "platform/settings.h"
#include "document/workfile.h"
#include "synthetictable.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings::setApplicationNames();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString text = args[1];
    const CodeTable table = syntheticCodeTable();
    for (int i = args[2].toInt(); i > 0; --i) {
        const EditorTranslation result = TranslateEditorText(table, text);
        if (!result.ok || result.translation.size() != 1 || trimmedRow(result.translation[0].text) != text)
            return 1;
    }
    return 0;
}
