#pragma once
// The built-in list of the five game servers and the choice kept in "save.dat" (two little-endian
// 32-bit integers: the server-order variant, then the chosen index).

#include <cstdint>
#include <string>
#include <vector>

// The five built-in addresses in their base order S0..S4.
const std::vector<std::string>& BuiltInServers();
// S0..S3 rotated left by the variant (0 or any value outside 1..3: no rotation), then S4.
std::vector<std::string>
BuildServerList(int32_t variant, const std::vector<std::string>& servers = BuiltInServers());

struct ServerChoice {
    int32_t nVariant = -1;  // -1: no file
    int32_t nIndex = 0;
};
// The choice in the file; {-1, 0} when it is missing or shorter than 8 bytes.
ServerChoice ReadServerChoice(const std::string& path);
// Writes the 8 bytes through a temporary file and a rename; false when that failed.
bool WriteServerChoice(const std::string& path, const ServerChoice& choice);
