// Resource lookup of the graphics device: zip packs attached to the device (newest first), then
// the file on disk, found case-insensitively; paths under the program folder; folder enumeration.
#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "CXGfxDevice.h"
#include "CXTextureList.h"
#include "platform/files.h"

namespace {

// Longer paths are refused rather than cut.
constexpr size_t kMaxPath = 4095;

bool IsRelative(const char* name)
{
    return name[0] != '\\' && name[0] != '/' && !(name[0] && name[1] == ':');
}

// Lower-cases A-Z, leaving the trail byte of every double-byte character alone, and writes '/'
// for '\'.
std::string FoldName(const std::string& text)
{
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 0x81) {
            ++i;
            continue;
        }
        if (c == '\\')
            out[i] = '/';
        else if (c >= 'A' && c <= 'Z')
            out[i] = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Name of a file inside a pack as callers write it: folded, without leading "./".
std::string PackEntryName(const std::string& text)
{
    std::string name = FoldName(text);
    while (name.rfind("./", 0) == 0)
        name.erase(0, 2);
    return name;
}

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

ZipHandle OpenZip(const std::string& path)
{
    const std::string resolved = platform::ResolvePath(path);
    return ZipHandle(unzOpen64(resolved.c_str()));
}

// Traditional PKWARE encryption of zip entries, which the system's unzip library leaves out.
class ZipDecrypter {
public:
    explicit ZipDecrypter(const std::string& password)
    {
        for (char c : password)
            Update(static_cast<uint8_t>(c));
    }
    uint8_t Decrypt(uint8_t c)
    {
        const uint32_t t = (m_dwKey[2] | 2) & 0xFFFF;
        const uint8_t plain = c ^ static_cast<uint8_t>((t * (t ^ 1)) >> 8);
        Update(plain);
        return plain;
    }

private:
    static uint32_t Crc(uint32_t crc, uint8_t b)
    {
        return (crc >> 8) ^ uint32_t(get_crc_table()[(crc ^ b) & 0xFF]);
    }
    void Update(uint8_t c)
    {
        m_dwKey[0] = Crc(m_dwKey[0], c);
        m_dwKey[1] = (m_dwKey[1] + (m_dwKey[0] & 0xFF)) * 134775813u + 1;
        m_dwKey[2] = Crc(m_dwKey[2], static_cast<uint8_t>(m_dwKey[1] >> 24));
    }
    uint32_t m_dwKey[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

constexpr size_t kCryptHeader = 12;
constexpr uLong kFlagEncrypted = 1, kFlagDataDescriptor = 8;

// One resource never holds more than this, whatever its entry claims.
constexpr uint64_t kMaxResourceBytes = 256u << 20;
// Deflate turns one input byte into at most this many output bytes.
constexpr uint64_t kMaxDeflateRatio = 1032;
// Entry data is read and inflated in pieces of this size, so memory follows the bytes that are
// really there rather than the sizes the directory claims.
constexpr size_t kChunk = 64 * 1024;

// The largest uncompressed size an entry of that compressed size can really have.
uint64_t MaxUncompressed(const unz_file_info64& info)
{
    const uint64_t bound = info.compression_method == 0
                               ? info.compressed_size
                               : info.compressed_size * kMaxDeflateRatio + kChunk;
    return std::min(bound, kMaxResourceBytes);
}

// The directory's sizes fit the archive and the cap for one resource.
bool PlausibleSizes(const unz_file_info64& info, uint64_t archiveSize)
{
    return info.compressed_size <= archiveSize && info.uncompressed_size <= MaxUncompressed(info);
}

// Inflates raw deflate data in pieces; false unless the result is exactly `expected` bytes.
bool Inflate(const uint8_t* data, size_t size, uint64_t expected, std::vector<uint8_t>& out)
{
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    out.clear();
    int rc = Z_OK;
    while (rc == Z_OK && out.size() <= expected) {
        const size_t done = out.size();
        out.resize(done + kChunk);
        z.next_out = out.data() + done;
        z.avail_out = static_cast<uInt>(kChunk);
        rc = inflate(&z, Z_NO_FLUSH);
        out.resize(done + kChunk - z.avail_out);
        if (rc == Z_BUF_ERROR && z.avail_in == 0)
            break;
    }
    inflateEnd(&z);
    return rc == Z_STREAM_END && out.size() == expected;
}

// Reads the current entry, which is encrypted: raw bytes, decrypted, then inflated; the check
// byte of the encryption header and the CRC of the result must both match.
bool ReadEncrypted(unzFile zip, const unz_file_info64& info, const std::string& password,
                   std::vector<uint8_t>& out)
{
    int method = 0, level = 0;
    if (password.empty() || info.compressed_size < kCryptHeader ||
        unzOpenCurrentFile3(zip, &method, &level, 1, nullptr) != UNZ_OK)
        return false;
    // Raw reading stops at the entry's stored bytes, which the caller bounded by the archive.
    std::vector<uint8_t> raw(static_cast<size_t>(info.compressed_size));
    const int read = unzReadCurrentFile(zip, raw.data(), unsigned(raw.size()));
    unzCloseCurrentFile(zip);
    if (read != static_cast<int>(raw.size()))
        return false;
    ZipDecrypter crypt(password);
    for (uint8_t& b : raw)
        b = crypt.Decrypt(b);
    const uint8_t check =
        (info.flag & kFlagDataDescriptor) ? uint8_t(info.dosDate >> 8) : uint8_t(info.crc >> 24);
    if (raw[kCryptHeader - 1] != check)
        return false;
    const uint8_t* data = raw.data() + kCryptHeader;
    const size_t size = raw.size() - kCryptHeader;
    if (method == 0) {
        if (size != info.uncompressed_size)
            return false;
        out.assign(data, data + size);
    } else if (method != Z_DEFLATED || !Inflate(data, size, info.uncompressed_size, out)) {
        return false;
    }
    return crc32(0, out.data(), static_cast<uInt>(out.size())) == info.crc;
}

// Reads the current entry (not encrypted) in pieces; false unless it holds exactly the
// uncompressed size its directory entry gives and its CRC matches.
bool ReadPlain(unzFile zip, const unz_file_info64& info, std::vector<uint8_t>& out)
{
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return false;
    out.clear();
    int read = 0;
    do {
        const size_t done = out.size();
        out.resize(done + kChunk);
        read = unzReadCurrentFile(zip, out.data() + done, unsigned(kChunk));
        out.resize(done + static_cast<size_t>(std::max(read, 0)));
    } while (read > 0 && out.size() <= info.uncompressed_size);
    // Closing checks the CRC of the whole entry.
    const int closed = unzCloseCurrentFile(zip);
    return read >= 0 && closed == UNZ_OK && out.size() == info.uncompressed_size;
}

// The current entry's directory record and its full name, however long.
bool CurrentEntry(unzFile zip, unz_file_info64& info, std::string& name)
{
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    name.assign(size_t(info.size_filename) + 1, '\0');
    if (unzGetCurrentFileInfo64(zip, &info, name.data(), uLong(name.size()), nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return false;
    name.resize(info.size_filename);
    return true;
}

enum class PackResult { NotFound, Read, Failed };

// Reads the entry of that (folded) name from the pack, whole.
PackResult ReadFromPack(const CXZipPack& pack, const std::string& name, std::vector<uint8_t>& out)
{
    const std::string path = platform::ResolvePath(pack.strPath);
    const std::optional<uint64_t> archiveSize = platform::FileSize(path);
    ZipHandle zip(archiveSize ? unzOpen64(path.c_str()) : nullptr);
    if (!zip)
        return PackResult::NotFound;
    std::string entry;
    for (int rc = unzGoToFirstFile(zip.get()); rc == UNZ_OK; rc = unzGoToNextFile(zip.get())) {
        unz_file_info64 info{};
        if (!CurrentEntry(zip.get(), info, entry))
            return PackResult::Failed;
        if (PackEntryName(entry) != name)
            continue;
        if (!PlausibleSizes(info, *archiveSize))
            return PackResult::Failed;
        const bool read = (info.flag & kFlagEncrypted)
                              ? ReadEncrypted(zip.get(), info, pack.strPassword, out)
                              : ReadPlain(zip.get(), info, out);
        return read ? PackResult::Read : PackResult::Failed;
    }
    return PackResult::NotFound;
}

}  // namespace

std::string ResourceFilePath(const char* name)
{
    std::string path = IsRelative(name) ? platform::ProgramFolder() + name : std::string(name);
    path = platform::ToSlashes(path);
    return path.size() > kMaxPath ? std::string() : path;
}

const char* CXGfxDevice::Resource_MakePath(const char* name)
{
    if (!name)
        return nullptr;
    std::string path = ResourceFilePath(name);
    if (path.empty())
        return nullptr;
    CXTextureStore& store = TextureStore();
    store.strPath = std::move(path);
    return store.strPath.c_str();
}

void* CXGfxDevice::Resource_Load(const char* name, uint32_t* size)
{
    if (!name) {
        SetError("Can't load resource: %s", "(null)");
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    bool found = false;
    if (IsRelative(name)) {
        const std::string key = PackEntryName(name);
        for (const CXZipPack& pack : TextureStore().Packs) {
            const PackResult result = ReadFromPack(pack, key, bytes);
            if (result == PackResult::Failed) {
                SetError("Can't load resource: %s", name);
                return nullptr;
            }
            if (result == PackResult::Read) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        const char* path = Resource_MakePath(name);
        std::optional<std::vector<uint8_t>> file;
        if (path)
            file = platform::ReadWholeFile(path);
        if (!file || file->size() > 0xFFFFFFFFu) {
            SetError("Can't load resource: %s", name);
            return nullptr;
        }
        bytes = std::move(*file);
    }
    auto* buffer = new (std::nothrow) uint8_t[std::max<size_t>(bytes.size(), 1)];
    if (!buffer) {
        SetError("Can't load resource: %s", name);
        return nullptr;
    }
    if (!bytes.empty())
        std::memcpy(buffer, bytes.data(), bytes.size());
    if (size)
        *size = static_cast<uint32_t>(bytes.size());
    return buffer;
}

void CXGfxDevice::Resource_Free(void* buffer)
{
    delete[] static_cast<uint8_t*>(buffer);
}

bool CXGfxDevice::Resource_AttachPack(const char* file, const char* password)
{
    const char* path = Resource_MakePath(file);
    if (!path)
        return false;
    const std::string key = FoldName(path);
    CXTextureStore& store = TextureStore();
    for (const CXZipPack& pack : store.Packs)
        if (pack.strPath == key)
            return false;
    if (!OpenZip(key))
        return false;
    store.Packs.insert(store.Packs.begin(), CXZipPack{key, password ? password : ""});
    return true;
}

void CXGfxDevice::Resource_RemovePack(const char* file)
{
    const char* path = Resource_MakePath(file);
    if (!path)
        return;
    const std::string key = FoldName(path);
    std::vector<CXZipPack>& packs = TextureStore().Packs;
    packs.erase(std::remove_if(packs.begin(), packs.end(),
                               [&](const CXZipPack& pack) { return pack.strPath == key; }),
                packs.end());
}

void CXGfxDevice::Resource_RemoveAllPacks()
{
    if (m_pTextureStore)
        m_pTextureStore->Packs.clear();
}

namespace {

const char* Enumerate(CXGfxDevice& device, CXTextureStore& store, const char* wildcard,
                      bool folders)
{
    if (wildcard) {
        store.Found.clear();
        store.nFound = 0;
        const char* path = device.Resource_MakePath(wildcard);
        if (!path)
            return nullptr;
        for (const platform::FoundFile& found : platform::FindFiles(path))
            if (found.bFolder == folders)
                store.Found.push_back(found.strName);
    }
    if (store.nFound >= store.Found.size()) {
        store.Found.clear();
        store.nFound = 0;
        return nullptr;
    }
    store.strFound = store.Found[store.nFound++];
    return store.strFound.c_str();
}

}  // namespace

const char* CXGfxDevice::Resource_EnumFiles(const char* wildcard)
{
    return Enumerate(*this, TextureStore(), wildcard, false);
}

const char* CXGfxDevice::Resource_EnumFolders(const char* wildcard)
{
    return Enumerate(*this, TextureStore(), wildcard, true);
}
