#include "embossing.h"

#include "braillefiles/braillefiles.h"
#include "cupsconnection.h"
#include "cupslibrary.h"

#include <cups/cups.h>

#include <memory>

namespace Embossing {

namespace {

const char kBrfFormat[] = "application/vnd.cups-brf";

struct IppDeleter
{
    void operator()(ipp_t *ipp) const { cups().ippDelete(ipp); }
};
using IppResponse = std::unique_ptr<ipp_t, IppDeleter>;

QString lastErrorText()
{
    return QString::fromUtf8(cups().cupsLastErrorString());
}

// Without libcups there is no talking to any server.
Error noLibrary()
{
    QString why;
    loadCupsLibrary(&why);
    return {Failure::NoLibrary, why};
}

Error noServer()
{
    return {Failure::NoServer, serverName()};
}

// The failure the server's last status stands for.
Error lastError(const QString &queue)
{
    switch (cups().cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return {Failure::NoSuchQueue, queue};
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED:
        return {Failure::NotAccepting, queue};
    // What libcups reports when the connection broke or timed out.
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_FORBIDDEN:
        return {Failure::NotAllowed, queue};
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return noServer();
    default:
        return {Failure::Refused, lastErrorText()};
    }
}

QString text(ipp_attribute_t *attribute)
{
    return QString::fromUtf8(cups().ippGetString(attribute, 0, nullptr));
}

QString defaultQueue(http_t *http)
{
    // The user's own default (lpoptions, PRINTER) before the server's.
    cups_dest_t *dest = cups().cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest)
        return QString();
    const QString name = QString::fromUtf8(dest->name);
    cups().cupsFreeDests(1, dest);
    return name;
}

// Whether the queue is there and takes jobs.
Error queueState(http_t *http, const QString &queue)
{
    ipp_t *request = cups().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    const QByteArray resource = "/printers/" + queue.toUtf8();
    cups().httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, resource.constData());
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-is-accepting-jobs");
    const IppResponse response(cups().cupsDoRequest(http, request, "/"));
    if (!response)
        return noServer();
    if (cups().ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND)
        return {Failure::NoSuchQueue, queue};
    if (cups().ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return lastError(queue);
    ipp_attribute_t *accepting = cups().ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !cups().ippGetBoolean(accepting, 0))
        return {Failure::NotAccepting, queue};
    return Error();
}

} // namespace

QString serverName()
{
    if (!loadCupsLibrary())
        return QStringLiteral("localhost");
    return QString::fromUtf8(cups().cupsServer());
}

QueueList listQueues(int timeoutMs)
{
    QueueList list;
    if (!loadCupsLibrary()) {
        list.error = noLibrary();
        return list;
    }
    CupsConnection connection(timeoutMs);
    if (!connection.isOpen()) {
        list.error = noServer();
        return list;
    }
    ipp_t *request = cups().ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char *const wanted[] = {"printer-name", "printer-info", "printer-location",
                                         "printer-make-and-model", "printer-is-accepting-jobs"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(std::size(wanted)),
                  nullptr, wanted);
    const IppResponse response(cups().cupsDoRequest(connection.http(), request, "/"));
    if (!response) { // no answer at all
        list.error = noServer();
        return list;
    }
    // A server without queues answers "not found".
    if (cups().ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND)
        return list;
    if (cups().ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        list.error = lastError(QString());
        return list;
    }
    Queue queue;
    const auto keep = [&list, &queue] {
        if (!queue.name.isEmpty())
            list.queues.append(queue);
        queue = Queue();
    };
    for (ipp_attribute_t *attribute = cups().ippFirstAttribute(response.get()); attribute;
         attribute = cups().ippNextAttribute(response.get())) {
        const char *name = cups().ippGetName(attribute);
        if (!name) { // the end of one queue's group
            keep();
            continue;
        }
        const QByteArrayView key(name);
        if (key == "printer-name")
            queue.name = text(attribute);
        else if (key == "printer-info")
            queue.info = text(attribute);
        else if (key == "printer-location")
            queue.location = text(attribute);
        else if (key == "printer-make-and-model")
            queue.makeAndModel = text(attribute);
        else if (key == "printer-is-accepting-jobs")
            queue.accepting = cups().ippGetBoolean(attribute, 0);
    }
    keep();
    const QString fallback = defaultQueue(connection.http());
    for (Queue &each : list.queues)
        each.isDefault = each.name == fallback;
    return list;
}

QByteArray jobBytes(const Job &job)
{
    const PageRange range = job.twoSided ? job.pages.wholeSheets() : job.pages;
    BraillePages part = pagesInRange(job.document, range);
    if (part.pages.isEmpty())
        return QByteArray();
    // Every copy starts on the front of a sheet: an odd page count gets a
    // blank back.
    if (job.twoSided && part.pages.size() % 2 == 1)
        part.pages.append(QStringList());
    return BrailleFiles::encode(BrailleFiles::Format::Brf, part);
}

Sent send(const Job &job, int timeoutMs)
{
    Sent sent;
    sent.brf = jobBytes(job);
    if (sent.brf.isEmpty()) {
        sent.error = {Failure::NothingToSend, QString()};
        return sent;
    }
    if (!loadCupsLibrary()) {
        sent.error = noLibrary();
        return sent;
    }
    CupsConnection connection(timeoutMs);
    if (!connection.isOpen()) {
        sent.error = noServer();
        return sent;
    }
    http_t *http = connection.http();
    const QByteArray queue = job.queue.toUtf8();
    // Asked first: a missing queue or a silent server is told at once,
    // before a job is made.
    if (const Error state = queueState(http, job.queue); !state.ok()) {
        sent.error = state;
        return sent;
    }
    const QByteArray title = job.title.isEmpty() ? QByteArrayLiteral("Mirabo") : job.title.toUtf8();

    cups_option_t *options = nullptr;
    int count = 0;
    count = cups().cupsAddIntegerOption("copies", qBound(1, job.copies, kMaxCopies), count, &options);
    // Said either way: a queue whose default is two-sided would otherwise
    // put single-sided pages on the backs of the sheets.
    count = cups().cupsAddOption("sides", job.twoSided ? "two-sided-long-edge" : "one-sided", count, &options);
    sent.jobId = cups().cupsCreateJob(http, queue.constData(), title.constData(), count, options);
    cups().cupsFreeOptions(count, options);
    if (sent.jobId == 0) {
        sent.error = lastError(job.queue);
        return sent;
    }
    const bool started = cups().cupsStartDocument(http, queue.constData(), sent.jobId, title.constData(), kBrfFormat, 1) ==
                         HTTP_STATUS_CONTINUE;
    const bool written =
        started && cups().cupsWriteRequestData(http, sent.brf.constData(), size_t(sent.brf.size())) == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = started ? cups().cupsFinishDocument(http, queue.constData()) : cups().cupsLastError();
    if (!written || finished > IPP_STATUS_OK_EVENTS_COMPLETE) {
        sent.error = lastError(job.queue);
        if (sent.error.ok())
            sent.error = {Failure::Refused, lastErrorText()};
        // A job half sent must not come out of the embosser as if whole.
        CupsConnection cancelling(timeoutMs);
        if (cancelling.isOpen())
            cups().cupsCancelJob2(cancelling.http(), queue.constData(), sent.jobId, 0);
        sent.jobId = 0;
    }
    return sent;
}

} // namespace Embossing
