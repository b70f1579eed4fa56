// libFuzzer target: DispatchMessage on arbitrary bodies, with every handler recording its call.
#include <cstdint>
#include <cstdlib>

#include "recording_client.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CMachineTable table;
    static RecordingClient client(table);
    client.calls.clear();
    client.Dispatch(std::vector<uint8_t>(data, data + size));
    // One message reaches a bounded number of handlers: at most one per entry it can hold.
    if (client.calls.size() > size + 4)
        std::abort();
    for (const CMachineState& row : table.m_aRows)
        if (row.m_nIndex < -1 || row.m_nIndex > 3)
            std::abort();
    return 0;
}
