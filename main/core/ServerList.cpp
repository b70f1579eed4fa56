#include "ServerList.h"

#include <cstdio>

#include "platform/files.h"

#ifndef CX_SERVER_ADDRESSES
#error "CX_SERVER_ADDRESSES (five addresses separated by ',') comes from the build"
#endif

const std::vector<std::string>& BuiltInServers()
{
    static const std::vector<std::string> servers = [] {
        std::vector<std::string> list;
        std::string text = CX_SERVER_ADDRESSES;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = text.find(',', start);
            const std::string item =
                text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!item.empty())
                list.push_back(item);
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        return list;
    }();
    return servers;
}

std::vector<std::string> BuildServerList(int32_t variant, const std::vector<std::string>& servers)
{
    if (servers.size() < 5)
        return servers;
    const int shift = (variant >= 1 && variant <= 3) ? variant : 0;
    std::vector<std::string> list;
    for (int i = 0; i < 4; ++i)
        list.push_back(servers[static_cast<size_t>((i + shift) % 4)]);
    list.push_back(servers[4]);
    return list;
}

namespace {

int32_t ReadI32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}

void PutI32(uint8_t* p, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace

ServerChoice ReadServerChoice(const std::string& path)
{
    ServerChoice choice;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return choice;
    uint8_t bytes[8];
    if (std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes) {
        choice.nVariant = ReadI32(bytes);
        choice.nIndex = ReadI32(bytes + 4);
    }
    std::fclose(file);
    return choice;
}

bool WriteServerChoice(const std::string& path, const ServerChoice& choice)
{
    uint8_t bytes[8];
    PutI32(bytes, choice.nVariant);
    PutI32(bytes + 4, choice.nIndex);
    return platform::WriteFileAtomic(path, bytes, sizeof bytes);
}
