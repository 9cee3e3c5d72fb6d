#include "platform/settings.h"
#include "clicommands.h"

#include <QCoreApplication>

#include <cerrno>

namespace {

// A full disk or a closed pipe loses the output: that must not pass for
// success. Output still in the buffer is written by the flush, and closing
// reports what the flush could not.
bool closeOutput(std::FILE *out, std::FILE *err)
{
    errno = 0;
    const bool written = std::fflush(out) == 0 && !std::ferror(out);
    const int flushError = errno;
    const bool closed = std::fclose(out) == 0;
    if (written && closed)
        return true;
    reportWriteFailure(err, written ? errno : flushError);
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings::setApplicationNames();

    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.first();
    int status = 0;
    if (command == u"lookup") {
        status = runLookupCommand(args.mid(1), stdout, stderr);
    } else if (command == u"check-table") {
        status = runCheckTableCommand(args.mid(1), stdout, stderr);
    } else if (command == u"kana") {
        status = runKanaCommand(args.mid(1), stdin, stdout, stderr);
    } else if (command == u"export") {
        status = runExportCommand(args.mid(1), stdin, stdout, stderr);
    } else if (command == u"import") {
        status = runImportCommand(args.mid(1), stdout, stderr);
    } else if (command == u"back") {
        status = runBackCommand(args.mid(1), stdin, stdout, stderr);
    } else if (command == u"braille") {
        status = runTranslateCommand(args.mid(1), stdin, stdout, stderr, TranslateOutput::WholeBraille);
    } else {
        status = runTranslateCommand(args, stdin, stdout, stderr);
    }
    // A command that failed has said why; its output needs no second word.
    if (status != 0) {
        std::fclose(stdout);
        return status;
    }
    return closeOutput(stdout, stderr) ? 0 : 1;
}
