// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The link over the TiLP cable libraries.
#include "calc/CalcFile.h"
#include "calc/TokenCodes.h"
#include "link/FakeCalculator.h"
#include "link/Link.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstring>

#include <ticables.h>
#include <ticalcs.h>
#include <tifiles.h>

namespace calclink
{

namespace
{

// The libraries talk to the terminal through GLib; what they say is in
// the errors they return, so their chatter is dropped.
void dropLog(const gchar *, GLogLevelFlags, const gchar *, gpointer) {}

void initLibraries()
{
    static const bool done = [] {
        for (const char *domain : {"ticables", "ticalcs", "tifiles", "ticonv"})
            g_log_set_handler(domain, GLogLevelFlags(G_LOG_LEVEL_MASK), dropLog, nullptr);
        ticables_library_init();
        tifiles_library_init();
        ticalcs_library_init();
        return true;
    }();
    (void)done;
}

// The library's progress callbacks take no arguments: the transfer that
// runs is found here. One transfer at a time (see Link.h).
CalcUpdate s_update;
const Progress *s_progress = nullptr;

void onRefresh()
{
    if (s_progress && s_progress->cancel && s_progress->cancel->load())
        s_update.cancel = 1;
}

// The library looks at cancel only now and then; it is passed on at every
// report as well.
void onProgress()
{
    onRefresh();
    if (s_progress && s_progress->report && s_update.max1 > 0)
        s_progress->report(s_update.cnt1, s_update.max1);
    // A cancel pressed while the report was shown stops the next packet,
    // not the one after: a USB packet can be the last of the program.
    onRefresh();
}

void onNothing() {}

// A cable whose other end is a FakeCalculator in this process.
FakeCalculator *s_fake = nullptr;
int s_answerWaitedFor = -1;

int fakeOk(CableHandle *)
{
    return 0;
}

int fakeOpen(CableHandle *)
{
    s_fake->abandon();
    return 0;
}

int fakeSend(CableHandle *, uint8_t *data, uint32_t length)
{
    s_fake->receive(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    return 0;
}

int fakeRecv(CableHandle *handle, uint8_t *data, uint32_t length)
{
    if (s_fake->fault() == FakeCalculator::Fault::SlowReply &&
        s_answerWaitedFor != s_fake->answers()) {
        s_answerWaitedFor = s_fake->answers();
        // A calculator slower than the cable's patience is a silent one.
        const int patienceMs = int(handle->timeout) * 100;
        QThread::msleep(qMin(s_fake->replyDelayMs, patienceMs));
        if (s_fake->replyDelayMs > patienceMs)
            return ERROR_READ_TIMEOUT;
    }
    if (s_fake->available() < int(length))
        return ERROR_READ_TIMEOUT;
    const QByteArray bytes = s_fake->take(int(length));
    std::memcpy(data, bytes.constData(), length);
    return 0;
}

int fakeCheck(CableHandle *, int *status)
{
    *status = s_fake->available() > 0 ? STATUS_RX : STATUS_NONE;
    return 0;
}

// What the USB cable says of the calculator on it: the USB fakes are the
// models they are; the serial one looks like a SilverLink.
int fakeDeviceInfo(CableHandle *, CableDeviceInfo *info)
{
    info->family = CABLE_FAMILY_USB_TI8X;
    switch (s_fake->model()) {
    case FakeCalculator::Model::Ti84Plus:
        info->variant = CABLE_VARIANT_TI84P;
        break;
    case FakeCalculator::Model::Ti84PlusCE:
        info->variant = CABLE_VARIANT_TI84PCE;
        break;
    case FakeCalculator::Model::Ti83Plus:
        info->family = CABLE_FAMILY_DBUS;
        info->variant = CABLE_VARIANT_TIGLUSB;
        break;
    }
    return 0;
}

// clang-format off
CableFncts s_fakeCable = {
    CABLE_SLV, "FAKE", "Test calculator", "a calculator inside this program", 0,
    // prepare, open, close, reset, probe, timeout
    fakeOk, fakeOpen, fakeOk, fakeOpen, fakeOk, fakeOk,
    // send, recv, check
    fakeSend, fakeRecv, fakeCheck,
    // single wires, raw wires: a byte channel has none
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // device
    nullptr, fakeDeviceInfo};
// clang-format on

QString libraryError(int code)
{
    char *text = nullptr;
    if (ticalcs_error_get(code, &text) && tifiles_error_get(code, &text) &&
        ticables_error_get(code, &text))
        return QStringLiteral("The link reported error %1.").arg(code);
    QString message = QString::fromLocal8Bit(text).simplified();
    g_free(text);
    return message;
}

// The calculator's charset spells θ as its token byte; names hold nothing else
// outside ASCII. Over USB the library passes names as UTF-8.
QString displayName(const char *raw, bool usb)
{
    if (usb)
        return QString::fromUtf8(raw);
    QString name;
    for (int i = 0; i < 8 && raw[i]; ++i)
        name += quint8(raw[i]) == calc::tok::Theta ? QChar(0x03B8) : QChar(QLatin1Char(raw[i]));
    return name;
}

class TilpLink final : public Link
{
public:
    TilpLink(const Options &options, FakeCalculator *fake) : m_options(options), m_fake(fake) {}
    ~TilpLink() override
    {
        close();
        if (m_fake)
            s_fake = nullptr;
    }

    Result open() override;
    Result list(QList<Entry> *programs, const Progress &progress) override;
    Result send(const QList<QByteArray> &files, const Progress &progress) override;
    Result receive(const Entry &program, QByteArray *file, const Progress &progress) override;
    Result screenshot(Screenshot *screen, const Progress &progress) override;
    Model model() const override { return m_model; }

private:
    int probe(CalcModel *found);
    void close()
    {
        if (m_calc) {
            ticalcs_cable_detach(m_calc);
            ticalcs_handle_del(m_calc);
            m_calc = nullptr;
        }
        if (m_cable) {
            ticables_handle_del(m_cable);
            m_cable = nullptr;
        }
    }
    Result failure(int code, Outcome fallback, const QString &what) const;
    // Cancelled when the user asked for it, whether or not the library noticed.
    static Result cancelled()
    {
        onRefresh();
        if (!s_update.cancel)
            return {};
        return {Outcome::Cancelled, QStringLiteral("The transfer was cancelled.")};
    }
    struct Running {
        explicit Running(const Progress &p)
        {
            s_progress = &p;
            s_update.cancel = p.cancel && p.cancel->load();
            s_update.cnt1 = s_update.max1 = 0;
        }
        ~Running() { s_progress = nullptr; }
    };

    Options m_options;
    FakeCalculator *m_fake;
    CableHandle *m_cable = nullptr;
    CalcHandle *m_calc = nullptr;
    Model m_model = Model::Unknown;
};

Model modelOf(CalcModel model)
{
    switch (model) {
    case CALC_TI83P:
        return Model::Ti83Plus;
    case CALC_TI84P_USB:
        return Model::Ti84Plus;
    case CALC_TI84PC_USB:
        return Model::Ti84PlusCSE;
    case CALC_TI83PCE_USB:
        return Model::Ti83PremiumCE;
    case CALC_TI84PCE_USB:
        return Model::Ti84PlusCE;
    default:
        return Model::Unknown;
    }
}

// Error numbers of the libraries that call for advice of their own.
enum : int {
    kReadTimeout = 4,
    kWriteTimeout = 6,
    kAbort = 256,
    kChecksum = 258,
    kInvalidPacket = 266,
    kMemory = 273,
    // The USB calculators' own error codes, as the library numbers them.
    kUsbError = 300,
    kUsbMemory = kUsbError + 5,  // 0x000C
    kUsbBusy = kUsbError + 8,    // 0x0011
    kUsbLocked = kUsbError + 9,  // 0x0012
    kUsbNotHome = kUsbError + 19 // 0x0034
};

// Whether a USB device of the cable's kind is plugged in: it is listed
// even where this account may not open it.
bool usbDevicePresent(Cable cable)
{
    if (cable == Cable::Grey)
        return false;
    CableDeviceInfo *devices = nullptr;
    int count = 0;
    if (ticables_get_usb_device_info(&devices, &count) != 0 || !devices)
        return false;
    bool present = false;
    for (int i = 0; i < count; ++i)
        present |=
            devices[i].family == (cable == Cable::Usb ? CABLE_FAMILY_USB_TI8X : CABLE_FAMILY_DBUS);
    ticables_free_usb_device_info(devices);
    return present;
}

Result TilpLink::failure(int code, Outcome fallback, const QString &what) const
{
    Result r;
    if (s_update.cancel) {
        r.outcome = Outcome::Cancelled;
        r.message = QStringLiteral("The transfer was cancelled.");
        return r;
    }
    r.details = libraryError(code);
    switch (code) {
    case kReadTimeout:
    case kWriteTimeout:
        r.outcome = Outcome::NoAnswer;
        r.message = QStringLiteral(
            "No calculator answers. Check that it is on and at the home screen, that the cable "
            "is pushed fully into its link port, then try again.");
        return r;
    case kAbort:
    case kUsbBusy:
        r.outcome = Outcome::Refused;
        r.message = QStringLiteral("The calculator stopped the transfer (a key was pressed on "
                                   "it). Try again without touching it.");
        return r;
    case kUsbLocked:
        r.outcome = Outcome::Refused;
        r.message = QStringLiteral("The calculator refused the program: one of that name is "
                                   "locked on it. Send it under another name.");
        return r;
    case kMemory:
    case kUsbMemory:
        r.outcome = Outcome::OutOfMemory;
        r.message = QStringLiteral("The calculator has no room for the program. Delete or "
                                   "archive something on it (2nd MEM), then try again.");
        return r;
    case kUsbNotHome:
        r.outcome = Outcome::Busy;
        break;
    case kChecksum:
    case kInvalidPacket:
        r.outcome = Outcome::Failed;
        r.message = what + QStringLiteral(" It arrived garbled; check the cable and try again.");
        return r;
    default:
        r.outcome = fallback;
        break;
    }
    if (r.outcome == Outcome::NoCable)
        r.message = cableMessage(m_options.cable, m_options.port,
                                 !m_fake && usbDevicePresent(m_options.cable));
    else if (r.outcome == Outcome::Busy)
        r.message = QStringLiteral("The calculator is busy. Press 2nd QUIT on it to get to the "
                                   "home screen, then try again.");
    else
        r.message = what + QLatin1Char(' ') + r.details;
    return r;
}

// Which calculator is on a USB cable: the cable says, as the library
// reads it; 0 and CALC_NONE when it cannot tell.
int TilpLink::probe(CalcModel *found)
{
    *found = CALC_NONE;
    if (const int e = ticables_cable_open(m_cable))
        return e;
    CalcModel model = CALC_NONE;
    if (ticalcs_probe_usb_calc(m_cable, &model) == 0)
        *found = model;
    ticables_cable_close(m_cable);
    return 0;
}

Result TilpLink::open()
{
    initLibraries();
    close();
    m_model = Model::Unknown;
    std::memset(&s_update, 0, sizeof s_update);
    s_update.start = s_update.stop = s_update.label = onNothing;
    s_update.refresh = onRefresh;
    s_update.pbar = onProgress;

    const CableModel cable = m_options.cable == Cable::Grey  ? CABLE_GRY
                             : m_options.cable == Cable::Usb ? CABLE_USB
                                                             : CABLE_SLV;
    m_cable = ticables_handle_new(cable, CablePort(qBound(1, m_options.port, 4)));
    if (!m_cable)
        return {Outcome::NoCable, QStringLiteral("The cable could not be set up.")};
    ticables_options_set_timeout(m_cable, 20);
    if (m_fake) {
        s_fake = m_fake;
        s_answerWaitedFor = -1;
        m_cable->cable = &s_fakeCable;
    }
    // A serial link cannot tell the model: the TI-83 Plus's protocol is
    // the one every calculator there speaks. A USB one can.
    CalcModel model = CALC_TI83P;
    if (cable == CABLE_USB) {
        if (const int e = probe(&model))
            return failure(e, Outcome::NoCable, QString());
        if (modelOf(model) == Model::Unknown)
            model = CALC_TI84P_USB;
    }
    m_calc = ticalcs_handle_new(model);
    if (!m_calc)
        return {Outcome::Failed, QStringLiteral("The calculator could not be set up.")};
    if (const int e = ticalcs_cable_attach(m_calc, m_cable)) {
        ticalcs_handle_del(m_calc);
        m_calc = nullptr;
        return failure(e, Outcome::NoCable, QString());
    }
    ticalcs_update_set(m_calc, &s_update);
    if (const int e = ticalcs_calc_isready(m_calc))
        return failure(e, Outcome::Busy, QString());
    m_model = modelOf(model);
    return {};
}

Result TilpLink::list(QList<Entry> *programs, const Progress &progress)
{
    if (!m_calc)
        return {Outcome::NoCable, QStringLiteral("The cable is not open.")};
    Running running(progress);
    GNode *vars = nullptr;
    GNode *apps = nullptr;
    const int e = ticalcs_calc_get_dirlist(m_calc, &vars, &apps);
    if (e == 0) {
        programs->clear();
        for (GNode *folder = vars ? g_node_first_child(vars) : nullptr; folder;
             folder = g_node_next_sibling(folder)) {
            for (GNode *n = g_node_first_child(folder); n; n = g_node_next_sibling(n)) {
                const auto *ve = static_cast<const VarEntry *>(n->data);
                if (!ve || (ve->type != 5 && ve->type != 6))
                    continue;
                Entry entry;
                entry.name = displayName(ve->name, m_options.cable == Cable::Usb);
                entry.isProtected = ve->type == 6;
                entry.archived = ve->attr == ATTRB_ARCHIVED;
                entry.size = int(ve->size);
                programs->append(entry);
            }
        }
    }
    if (vars)
        ticalcs_dirlist_destroy(&vars);
    if (apps)
        ticalcs_dirlist_destroy(&apps);
    if (e)
        return failure(e, Outcome::Failed,
                       QStringLiteral("The calculator's programs could not be listed."));
    return {};
}

Result TilpLink::send(const QList<QByteArray> &files, const Progress &progress)
{
    if (!m_calc)
        return {Outcome::NoCable, QStringLiteral("The cable is not open.")};
    Running running(progress);
    QTemporaryDir dir;
    for (const QByteArray &bytes : files) {
        if (Result r = cancelled(); !r.ok())
            return r;
        // The library reads programs from files: it gets the export's bytes.
        const QString path = dir.filePath(QStringLiteral("program.8xp"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            return {Outcome::Failed, QStringLiteral("A temporary file could not be written.")};
        f.close();
        FileContent *content = tifiles_content_create_regular(m_calc->model);
        int e = tifiles_file_read_regular(QFile::encodeName(path).constData(), content);
        if (e) {
            tifiles_content_delete_regular(content);
            return failure(e, Outcome::Failed, QStringLiteral("The program file was refused."));
        }
        e = ticalcs_calc_send_var(m_calc, MODE_NORMAL, content);
        tifiles_content_delete_regular(content);
        if (e)
            return failure(e, Outcome::Failed, QStringLiteral("The program was not sent."));
        // The library's last report may fall short of the end.
        if (progress.report && s_update.max1 > 0)
            progress.report(s_update.max1, s_update.max1);
    }
    return {};
}

Result TilpLink::receive(const Entry &program, QByteArray *file, const Progress &progress)
{
    if (!m_calc)
        return {Outcome::NoCable, QStringLiteral("The cable is not open.")};
    Running running(progress);
    VarRequest *request = tifiles_ve_create();
    QByteArray raw = program.name.toUtf8();
    if (m_options.cable != Cable::Usb) {
        raw.clear();
        for (QChar c : program.name)
            raw.append(c.unicode() == 0x03B8 ? char(calc::tok::Theta) : char(c.toLatin1()));
    }
    std::strncpy(request->name, raw.left(8).constData(), sizeof request->name - 1);
    request->type = program.isProtected ? 6 : 5;
    request->size = uint32_t(program.size);
    request->attr = program.archived ? ATTRB_ARCHIVED : ATTRB_NONE;
    FileContent *content = tifiles_content_create_regular(m_calc->model);
    int e = ticalcs_calc_recv_var(m_calc, MODE_NORMAL, content, request);
    tifiles_ve_delete(request);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("program.8xp"));
    if (!e)
        e = tifiles_file_write_regular(QFile::encodeName(path).constData(), content, nullptr);
    tifiles_content_delete_regular(content);
    if (e)
        return failure(e, Outcome::Failed, QStringLiteral("The program was not received."));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {Outcome::Failed, QStringLiteral("A temporary file could not be read.")};
    // Written again by our own writer, so a received program's file is the
    // one an export of it would give.
    const calc::calcfile::Read read = calc::calcfile::read(f.readAll());
    if (!read.ok())
        return {Outcome::Failed,
                QStringLiteral("The program received is not readable: %1").arg(read.error)};
    *file = calc::calcfile::write(read.program, calc::calcfile::Model::Ti83Plus);
    // Nothing changed on either side: a late cancel still counts.
    if (Result r = cancelled(); !r.ok()) {
        file->clear();
        return r;
    }
    return {};
}

Result TilpLink::screenshot(Screenshot *screen, const Progress &progress)
{
    if (!m_calc)
        return {Outcome::NoCable, QStringLiteral("The cable is not open.")};
    Running running(progress);
    CalcScreenCoord coord{};
    coord.format = SCREEN_FULL;
    uint8_t *bitmap = nullptr;
    const int e = ticalcs_calc_recv_screen(m_calc, &coord, &bitmap);
    if (e)
        return failure(e, Outcome::Failed, QStringLiteral("The screen was not received."));
    const int w = int(coord.width), h = int(coord.height);
    const bool colour = coord.pixel_format == CALC_PIXFMT_RGB_565_LE;
    const QByteArray bytes(reinterpret_cast<const char *>(bitmap),
                           colour ? w * h * 2 : (w + 7) / 8 * h);
    ticalcs_free_screen(bitmap);
    const bool ok = colour ? decodeRgb565(bytes, w, h, screen) : decodeMono(bytes, w, h, screen);
    if (!ok)
        return {Outcome::Failed, QStringLiteral("The calculator sent a screen of no known kind.")};
    if (Result r = cancelled(); !r.ok())
        return r;
    return {};
}

} // namespace

bool available()
{
    return true;
}

std::unique_ptr<Link> create(const Options &options, FakeCalculator *fake)
{
    return std::make_unique<TilpLink>(options, fake);
}

QList<Options> detect()
{
    initLibraries();
    QList<Options> found;
    CableDeviceInfo *devices = nullptr;
    int count = 0;
    if (ticables_get_usb_device_info(&devices, &count) != 0 || !devices)
        return found;
    int silver = 0, direct = 0;
    for (int i = 0; i < count; ++i) {
        if (devices[i].family == CABLE_FAMILY_DBUS)
            found.append({Cable::Silver, ++silver});
        else if (devices[i].family == CABLE_FAMILY_USB_TI8X)
            found.append({Cable::Usb, ++direct});
    }
    ticables_free_usb_device_info(devices);
    return found;
}

} // namespace calclink
