// Serial line over termios: raw 8N1, non-blocking descriptors, poll for the write waits.
// Stands in for: CreateFileA on a COM port with FILE_FLAG_OVERLAPPED, WriteFile / ReadFile with
//   GetOverlappedResult, ClearCommError's count of bytes waiting (FIONREAD), CloseHandle;
//   pseudo-terminals (posix_openpt) for the far end of a line.
// Not here: ClearCommError's error reset (a tty keeps no error state), modem lines, flow control.

#include "platform/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/clock.h"

namespace platform {

namespace {

class TtyPort final : public SerialPort {
public:
    explicit TtyPort(int fd) : m_fd(fd) {}
    ~TtyPort() override { ::close(m_fd); }
    TtyPort(const TtyPort&) = delete;
    TtyPort& operator=(const TtyPort&) = delete;

    int64_t Write(const void* pData, size_t nSize) override
    {
        const auto* p = static_cast<const uint8_t*>(pData);
        size_t nDone = 0;
        const uint32_t dwStart = TickCount();
        while (nDone < nSize) {
            const ssize_t n = ::write(m_fd, p + nDone, nSize - nDone);
            if (n > 0) {
                nDone += size_t(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                return -1;
            const uint32_t dwWaited = TickCount() - dwStart;
            if (dwWaited >= kWriteWaitMs)
                break;
            pollfd pfd{m_fd, POLLOUT, 0};
            ::poll(&pfd, 1, int(kWriteWaitMs - dwWaited));
        }
        return int64_t(nDone);
    }

    int64_t BytesWaiting() override
    {
        int n = 0;
        if (::ioctl(m_fd, FIONREAD, &n) != 0)
            return -1;
        return n;
    }

    int64_t Read(void* pBuffer, size_t nSize) override
    {
        if (nSize == 0)
            return 0;
        for (;;) {
            const ssize_t n = ::read(m_fd, pBuffer, nSize);
            if (n >= 0)
                return n;
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return 0;
            return -1;
        }
    }

private:
    int m_fd;
};

bool SpeedFor(uint32_t dwBaud, speed_t* pSpeed)
{
    struct Rate {
        uint32_t dwBaud;
        speed_t speed;
    };
    static const Rate kRates[] = {{1200, B1200},   {2400, B2400},    {4800, B4800},
                                  {9600, B9600},   {19200, B19200},  {38400, B38400},
                                  {57600, B57600}, {115200, B115200}};
    for (const Rate& rate : kRates)
        if (rate.dwBaud == dwBaud) {
            *pSpeed = rate.speed;
            return true;
        }
    return false;
}

// Raw bytes both ways: no echo, no line editing, no translation of CR or NL, reads never block.
bool MakeRaw(int fd, speed_t speed)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0)
        return false;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

std::unique_ptr<SerialPort> OpenSerialPort(const std::string& strDevice, uint32_t dwBaud)
{
    speed_t speed;
    if (!SpeedFor(dwBaud, &speed))
        return nullptr;
    const int fd = ::open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (!::isatty(fd) || !MakeRaw(fd, speed)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<TtyPort>(fd);
}

std::optional<PseudoTerminal> OpenPseudoTerminal()
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    char szName[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, szName, sizeof szName) != 0 ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0 || !MakeRaw(fd, B9600)) {
        ::close(fd);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return PseudoTerminal{szName, std::make_unique<TtyPort>(fd)};
}

}  // namespace platform
