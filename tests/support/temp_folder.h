#pragma once
// A folder of a test's own, made under the system's temporary folder (or a given parent) with a
// readable prefix and a random suffix, and removed with everything in it when the object goes.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix, const std::filesystem::path& parent =
                                                       std::filesystem::temp_directory_path())
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        // Making the folder is the claim on the name: a name another run already took is skipped.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto candidate = parent / (prefix + "_" + std::to_string(random() % 100000000));
            if (std::filesystem::create_directories(candidate)) {
                m_path = candidate;
                return;
            }
        }
        throw std::runtime_error("no free temporary folder name for " + prefix);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path as text, without and with a trailing '/'.
    std::string String() const { return m_path.string(); }
    std::string Slashed() const { return m_path.string() + "/"; }

    // Writes `bytes` to `name` (relative to the folder), making the folders above it; returns the
    // file's full path.
    std::string Write(const std::string& name, std::string_view bytes) const
    {
        const auto path = m_path / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path.string();
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        return Write(name,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

    // The names of the files and folders directly in the folder, sorted.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The bytes of `name` (relative to the folder); empty when it cannot be read.
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
