// libFuzzer target: the frame reader fed from memory, at memory speed. The input is one byte
// stream; the reader must find exactly the frames a reference splitter finds, in order, reject the
// same bad length, and never ask for a read a socket could not perform. fuzz_frames_socket runs the
// same check through a real connection.
#include <cstdint>
#include <cstdlib>

#include "frame_streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    bool bBadReadSize = false;
    const FrameSplit got = ReadFramesFromMemory(data, size, &bBadReadSize);
    if (bBadReadSize || !(got == ReferenceFrames(data, size)))
        std::abort();
    return 0;
}
