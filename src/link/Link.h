// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The link cable to a calculator: find it, send programs, list and receive
// them. The cable libraries keep state of their own, so a Link is made,
// used and destroyed on one thread, and one Link at a time.
#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace calclink
{

class FakeCalculator;

enum class Cable { Silver, Grey, Usb };

// "silver", "grey", "usb" and back; false for any other text.
QString cableKey(Cable cable);
bool cableFromKey(const QString &key, Cable *cable);
QString cableTitle(Cable cable); // for people: "SilverLink (USB)"

// Why a cable could not be opened, in words for the user: nothing
// plugged in, or (`devicePresent`) a device this account may not use.
QString cableMessage(Cable cable, int port, bool devicePresent);
// The help page about cables and their permissions.
inline constexpr char kCableHelpPage[] = "link-cable.html";

struct Options {
    Cable cable = Cable::Silver;
    int port = 1; // 1 to 4: which of the cables of that kind
};

// What a transfer reports while it runs, and how it is stopped: done and
// total count bytes; cancel is read between blocks.
struct Progress {
    std::function<void(qint64 done, qint64 total)> report;
    const std::atomic_bool *cancel = nullptr;
};

enum class Outcome {
    Ok,
    NoCable,     // the cable is missing or cannot be opened
    NoAnswer,    // nothing answers on the cable
    Busy,        // the calculator answers but is not at the home screen
    OutOfMemory, // the calculator has no room for the program
    Refused,     // the calculator's user refused it
    NotFound,    // no program of that name on the calculator
    Cancelled,
    Failed, // anything else; the message says what
};

struct Result {
    Result() = default;
    Result(Outcome o, const QString &m, const QString &d = QString())
        : outcome(o), message(m), details(d)
    {
    }
    Outcome outcome = Outcome::Ok;
    QString message; // one or two sentences for the user, saying what to do
    QString details; // the libraries' own words, for "Show Details..."; may be empty
    bool ok() const { return outcome == Outcome::Ok; }
};

// The calculator at the other end, as the cable tells it.
enum class Model { Unknown, Ti83Plus, Ti84Plus, Ti84PlusCSE, Ti83PremiumCE, Ti84PlusCE };
QString modelTitle(Model model); // "TI-84 Plus CE"

// A calculator's screen, decoded: width x height pixels, 0xFFRRGGBB, by rows.
struct Screenshot {
    int width = 0;
    int height = 0;
    QList<quint32> pixels;
};

// The calculator's own screen bytes decoded: 1 bit a pixel (set is dark),
// rows padded to whole bytes; or RGB565 little-endian. False when the
// bytes do not fill the size.
bool decodeMono(const QByteArray &bits, int width, int height, Screenshot *out);
bool decodeRgb565(const QByteArray &bytes, int width, int height, Screenshot *out);

struct Entry {
    QString name; // θ as the Greek letter
    bool isProtected = false;
    bool archived = false;
    int size = 0; // bytes of the variable
};

class Link
{
public:
    virtual ~Link() = default;
    // Opens the cable and asks whether the calculator is ready.
    virtual Result open() = 0;
    // The calculator's programs.
    virtual Result list(QList<Entry> *programs, const Progress &progress) = 0;
    // Sends program files (.8xp bytes, as the export writes them), in order.
    virtual Result send(const QList<QByteArray> &files, const Progress &progress) = 0;
    // One program, as .8xp bytes.
    virtual Result receive(const Entry &program, QByteArray *file, const Progress &progress) = 0;
    // What is on the calculator's screen.
    virtual Result screenshot(Screenshot *screen, const Progress &progress) = 0;
    // The model found by open(); Unknown before it, and on a serial cable,
    // which cannot tell (a TI-83 Plus is assumed there).
    virtual Model model() const = 0;
};

// Whether this build talks to cables at all.
bool available();

// A link over the given cable; over `fake` instead of a real cable when it
// is given (tests). Null when the build has no link support.
std::unique_ptr<Link> create(const Options &options, FakeCalculator *fake = nullptr);

// The cables plugged in that the libraries recognise (USB ones only:
// serial cables cannot be detected).
QList<Options> detect();

} // namespace calclink
