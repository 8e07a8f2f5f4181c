#include "link/usbtransport.h"

#include "base/clock.h"
#include "base/installlayout.h"
#include "link/linkstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(lcLinkUsb, "zkvr.link.usb", QtCriticalMsg)

UsbTransport::UsbTransport(Clock &clock, QString library)
    : m_clock(clock), m_libraryName(std::move(library))
{
}

UsbTransport::UsbTransport(Clock &clock, const DevbridgeApi &api)
    : m_clock(clock), m_api(api), m_bindTried(true), m_bound(api.complete())
{
}

UsbTransport::~UsbTransport() = default;

bool UsbTransport::bind()
{
    if (m_bindTried)
        return m_bound;
    m_bindTried = true;
    QStringList candidates;
    const bool bare = !m_libraryName.contains(QLatin1Char('/')) && !m_libraryName.contains(QLatin1Char('\\'));
    if (bare && QCoreApplication::instance()) {
        // Beside the program (the build tree), then in the installed layout's
        // private folder, then wherever the system's library path leads.
        const QString programDir = QCoreApplication::applicationDirPath();
        candidates << QDir(programDir).filePath(m_libraryName);
        const QString privateDir = privateLibraryDir(programDir);
        if (!privateDir.isEmpty())
            candidates << QDir(privateDir).filePath(m_libraryName);
    }
    candidates << m_libraryName;
    for (const QString &name : candidates) {
        m_library.setFileName(name);
        if (m_library.load())
            break;
        qCDebug(lcLinkUsb) << "cannot load" << name << m_library.errorString();
    }
    if (!m_library.isLoaded()) {
        qCWarning(lcLinkUsb) << "devbridge not found:" << m_libraryName;
        return false;
    }
    m_api.init = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Init"));
    m_api.open = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Open"));
    m_api.close = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Close"));
    m_api.write = reinterpret_cast<DevbridgeApi::Transfer>(m_library.resolve("USBDrv_Write"));
    m_api.read = reinterpret_cast<DevbridgeApi::Transfer>(m_library.resolve("USBDrv_Read"));
    m_bound = m_api.complete();
    if (!m_bound)
        qCWarning(lcLinkUsb) << m_library.fileName() << "lacks one of the USBDrv functions";
    return m_bound;
}

bool UsbTransport::startTransfer()
{
    if (!bind())
        return false;
    // Both are called even when the first fails: the library reports through
    // results only, and Open after a failed Init simply fails as well.
    const bool initOk = m_api.init() != 0;
    const bool openOk = m_api.open() != 0;
    return initOk && openOk;
}

OpenOutcome UsbTransport::open()
{
    if (!startTransfer())
        return OpenOutcome::Failed;
    m_api.close();
    return OpenOutcome::Opened;
}

bool UsbTransport::send(const quint8 *data, int count)
{
    if (count < 0)
        return false;
    // The USB link carries the 55 AA trailer on requests too.
    std::vector<uint8_t> out(data, data + count);
    out.push_back(0x55);
    out.push_back(0xAA);
    m_clock.processEvents();
    if (!startTransfer())
        return false;
    m_clock.processEvents();
    int32_t written = 0;
    const bool ok = m_api.write(out.data(), int32_t(out.size()), &written) != 0;
    m_api.close();
    m_clock.processEvents();
    return ok && written == int32_t(out.size());
}

int UsbTransport::fetch(quint8 *buffer, int capacity)
{
    const int limit = std::min(capacity, UsbReadLimit);
    if (limit <= 0)
        return 0;
    m_clock.processEvents();
    if (!startTransfer())
        return 0;
    m_clock.processEvents();
    int32_t got = 0;
    m_api.read(buffer, limit, &got);
    m_clock.processEvents();
    m_api.close();
    m_clock.processEvents();
    // A library that claims more than it was asked for is not believed.
    if (got < 0 || got > limit)
        return 0;
    return got;
}
