#pragma once

#include "braillepages/braillepages.h"
#include "pagerange.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Embossing through the CUPS server: the queues it has, and a document sent
// to one of them as BRF (application/vnd.cups-brf). Nothing here waits
// longer than the timeout given, with or without a server.
namespace Embossing {

// What went wrong; the windows and the CLI tell the user.
enum class Failure {
    None,
    NoLibrary,       // libcups cannot be loaded (`detail` says why)
    NoServer,        // no CUPS server answers (not running, not installed)
    NoSuchQueue,     // the server has no queue of that name
    NotAccepting,    // the queue exists but takes no jobs now
    NotAllowed,      // the server wants a password or refuses this user
    NothingToSend,   // the page range holds no page of the document
    Refused,         // the server refused or broke off the job
};

struct Error
{
    Failure failure = Failure::None;
    QString detail; // the server's words, or the queue's or server's name

    bool ok() const { return failure == Failure::None; }
};

struct Queue
{
    QString name;
    QString info;         // the description the administrator gave
    QString location;
    QString makeAndModel; // the driver, "Local Raw Printer" for a raw queue
    bool isDefault = false;
    bool accepting = true;
};

struct QueueList
{
    QList<Queue> queues; // in the server's order
    Error error;
};

struct Job
{
    QString queue;
    QString title; // the job's name in the queue
    BraillePages document;
    PageRange pages;
    int copies = 1;
    // The pages are interpoint: sent two-sided along the long edge, the page
    // range widened to whole sheets, an odd last page given a blank back.
    bool twoSided = false;
};

struct Sent
{
    int jobId = 0;
    QByteArray brf; // the bytes sent (or that would have been)
    Error error;
};

constexpr int kDefaultTimeoutMs = 5000;
constexpr int kMaxCopies = 99;

// The server the library talks to (CUPS_SERVER, client.conf, or the local
// socket), for messages.
QString serverName();

QueueList listQueues(int timeoutMs = kDefaultTimeoutMs);

// The job's bytes: the range's pages of the document as BRF.
QByteArray jobBytes(const Job &job);

// Sends the job; on failure nothing stays queued.
Sent send(const Job &job, int timeoutMs = kDefaultTimeoutMs);

} // namespace Embossing
