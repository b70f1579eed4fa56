// Resource lookup of the graphics device: zip packs attached to the device (newest first), then
// the file on disk, found case-insensitively; paths under the program folder; folder enumeration.
#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

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

// Reads the current entry, which is encrypted: raw bytes, decrypted, then inflated; the check
// byte of the encryption header and the CRC of the result must both match.
bool ReadEncrypted(unzFile zip, const unz_file_info64& info, const std::string& password,
                   std::vector<uint8_t>& out)
{
    int method = 0, level = 0;
    if (password.empty() || info.compressed_size < kCryptHeader ||
        info.compressed_size > 0x7FFFFFFFu ||
        unzOpenCurrentFile3(zip, &method, &level, 1, nullptr) != UNZ_OK)
        return false;
    std::vector<uint8_t> raw(static_cast<size_t>(info.compressed_size));
    const int read = unzReadCurrentFile(zip, raw.data(), unsigned(raw.size()));
    unzCloseCurrentFile(zip);
    if (read != static_cast<int>(raw.size()))
        return false;
    ZipDecrypter crypt(password);
    for (uint8_t& b : raw)
        b = crypt.Decrypt(b);
    const uint8_t check = (info.flag & kFlagDataDescriptor) ? uint8_t(info.dosDate >> 8)
                                                            : uint8_t(info.crc >> 24);
    if (raw[kCryptHeader - 1] != check)
        return false;
    const uint8_t* data = raw.data() + kCryptHeader;
    const size_t size = raw.size() - kCryptHeader;
    if (method == 0) {
        out.assign(data, data + size);
    } else if (method == Z_DEFLATED) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return false;
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = static_cast<uInt>(size);
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        const int rc = inflate(&z, Z_FINISH);
        const bool complete = rc == Z_STREAM_END && z.total_out == out.size();
        inflateEnd(&z);
        if (!complete)
            return false;
    } else {
        return false;
    }
    return crc32(0, out.data(), static_cast<uInt>(out.size())) == info.crc;
}

enum class PackResult { NotFound, Read, Failed };

// Reads the entry of that (folded) name from the pack, whole.
PackResult ReadFromPack(const CXZipPack& pack, const std::string& name, std::vector<uint8_t>& out)
{
    ZipHandle zip = OpenZip(pack.strPath);
    if (!zip)
        return PackResult::NotFound;
    for (int rc = unzGoToFirstFile(zip.get()); rc == UNZ_OK; rc = unzGoToNextFile(zip.get())) {
        unz_file_info64 info{};
        char entry[1024];
        if (unzGetCurrentFileInfo64(zip.get(), &info, entry, sizeof entry, nullptr, 0, nullptr, 0) !=
            UNZ_OK)
            return PackResult::Failed;
        if (PackEntryName(entry) != name)
            continue;
        if (info.uncompressed_size > 0x7FFFFFFFu)
            return PackResult::Failed;
        out.resize(static_cast<size_t>(info.uncompressed_size));
        if (info.flag & kFlagEncrypted)
            return ReadEncrypted(zip.get(), info, pack.strPassword, out) ? PackResult::Read
                                                                         : PackResult::Failed;
        if (unzOpenCurrentFile(zip.get()) != UNZ_OK)
            return PackResult::Failed;
        const int read =
            out.empty() ? 0 : unzReadCurrentFile(zip.get(), out.data(), unsigned(out.size()));
        // Closing checks the CRC of the whole entry.
        const int closed = unzCloseCurrentFile(zip.get());
        if (read != static_cast<int>(out.size()) || closed != UNZ_OK)
            return PackResult::Failed;
        return PackResult::Read;
    }
    return PackResult::NotFound;
}

}  // namespace


const char* CXGfxDevice::Resource_MakePath(const char* name)
{
    if (!name)
        return nullptr;
    std::string path = IsRelative(name) ? platform::ProgramFolder() + name : std::string(name);
    path = platform::ToSlashes(path);
    if (path.size() > kMaxPath)
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

const char* Enumerate(CXGfxDevice& device, CXTextureStore& store, const char* wildcard, bool folders)
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
