// libFuzzer target: save.dat of any content. The choice read from it must lead to a server of the
// list, as the login panel uses it.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "ServerList.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/fuzz_save_dat_" + std::to_string(getpid());
    if (!platform::WriteFileAtomic(path, data, size))
        return 0;
    const ServerChoice choice = ReadServerChoice(path);
    const std::vector<std::string> list = BuildServerList(choice.nVariant);
    if (list.size() != 5 || list[4] != BuiltInServers()[4])
        std::abort();
    return 0;
}
