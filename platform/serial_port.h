#pragma once
// Serial line to a cabinet's I/O board, over termios.
// Stands in for: CreateFileA on a COM port opened for overlapped I/O, WriteFile / ReadFile with
//   their overlapped records and GetOverlappedResult, the byte count of ClearCommError,
//   CloseHandle; and, for tests and board simulators, the far end of a line (a pseudo-terminal).
// Not here: the sticky error state that ClearCommError resets (a tty has none: a failed call fails
//   alone and the next one may succeed), modem lines, flow control, comm events.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// One open line. The cabinet layer holds it through this interface, so tests may replace it.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Writes every byte, waiting while the driver's buffer is full, but no longer than
    // kWriteWaitMs in all. Returns the bytes written (fewer on a time-out), or -1 on an error.
    virtual int64_t Write(const void* pData, size_t nSize) = 0;
    // Bytes received and waiting in the driver; -1 on an error.
    virtual int64_t BytesWaiting() = 0;
    // Reads at most nSize of the waiting bytes without blocking: the count read (0 when none
    // wait), or -1 on an error.
    virtual int64_t Read(void* pBuffer, size_t nSize) = 0;

    static constexpr uint32_t kWriteWaitMs = 2000;
};

// Opens a serial device (e.g. "/dev/ttyS0") raw, 8 data bits, no parity, one stop bit, at the
// baud rate (one of the standard rates from 1200 to 115200). Null when the device cannot be opened
// or configured, or the rate is not a standard one.
std::unique_ptr<SerialPort> OpenSerialPort(const std::string& strDevice, uint32_t dwBaud);

// A new pseudo-terminal: the device path of its line side, which OpenSerialPort opens like any
// serial device, and the far end, held by whoever plays the board.
struct PseudoTerminal {
    std::string strLinePath;
    std::unique_ptr<SerialPort> pFarEnd;
};
std::optional<PseudoTerminal> OpenPseudoTerminal();

}  // namespace platform
