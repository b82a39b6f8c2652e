#include "recorder/peversionreader.h"

#include <optional>
#include <vector>

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kPe32PlusMagic = 0x020B;
constexpr std::uint32_t kResourceDirectoryIndex = 2; // in the optional header's data directories
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVersionInfoId = 1;
constexpr std::uint32_t kHighBit = 0x80000000u; // entry names a string / points to a subdirectory
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BDu;

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kCoffHeaderSize = 24; // signature plus file header
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
// VS_VERSIONINFO: three WORDs, the key "VS_VERSION_INFO" with its NUL in UTF-16,
// padded to 32 bits; the fixed version record follows.
constexpr std::size_t kVersionHeaderSize = 40;
constexpr std::size_t kFixedInfoSize = 52;
constexpr char kVersionKey[] = "VS_VERSION_INFO";

std::uint16_t Le16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(Le16(p)) | (static_cast<std::uint32_t>(Le16(p + 2)) << 16);
}

struct Section
{
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawPointer;
};

// The parts of a PE image needed to reach its resources.
class PeImage
{
public:
    explicit PeImage(ByteSource& source) : m_source(source) {}

    // Reads the headers and the section table; false for anything but a PE image
    // with a resource directory.
    bool Load()
    {
        unsigned char dos[kDosHeaderSize];
        if (!m_source.ReadAt(0, dos, sizeof dos) || Le16(dos) != kDosMagic)
            return false;
        const std::uint64_t peOffset = Le32(dos + 0x3C);
        unsigned char coff[kCoffHeaderSize];
        if (!m_source.ReadAt(peOffset, coff, sizeof coff) || Le32(coff) != kPeSignature)
            return false;
        const std::uint16_t sectionCount = Le16(coff + 6);
        const std::uint16_t optionalSize = Le16(coff + 20);
        const std::uint64_t optionalOffset = peOffset + kCoffHeaderSize;
        return ReadResourceRoot(optionalOffset, optionalSize) &&
               ReadSections(optionalOffset + optionalSize, sectionCount);
    }

    std::uint32_t ResourceRoot() const { return m_resourceRoot; }

    // Reads `size` bytes at a relative virtual address; they must all lie in the
    // file data of one section.
    bool ReadRva(std::uint64_t rva, void* out, std::size_t size)
    {
        for (const Section& s : m_sections) {
            if (rva < s.virtualAddress)
                continue;
            const std::uint64_t inSection = rva - s.virtualAddress;
            const std::uint64_t span = s.virtualSize != 0 ? s.virtualSize : s.rawSize;
            if (inSection >= span)
                continue;
            // Bytes past the file data would be zero-filled memory: not worth trusting.
            if (inSection + size > s.rawSize || inSection + size > span)
                return false;
            return m_source.ReadAt(s.rawPointer + inSection, out, size);
        }
        return false;
    }

private:
    bool ReadResourceRoot(std::uint64_t offset, std::uint16_t size)
    {
        unsigned char magic[2];
        if (!m_source.ReadAt(offset, magic, sizeof magic))
            return false;
        std::size_t countAt = 0;
        if (Le16(magic) == kPe32Magic)
            countAt = 92;
        else if (Le16(magic) == kPe32PlusMagic)
            countAt = 108;
        else
            return false;
        const std::size_t directoryAt = countAt + 4 + kResourceDirectoryIndex * 8;
        if (size < directoryAt + 8)
            return false;
        unsigned char count[4];
        unsigned char directory[8];
        if (!m_source.ReadAt(offset + countAt, count, sizeof count) ||
            Le32(count) <= kResourceDirectoryIndex ||
            !m_source.ReadAt(offset + directoryAt, directory, sizeof directory))
            return false;
        m_resourceRoot = Le32(directory);
        return m_resourceRoot != 0;
    }

    bool ReadSections(std::uint64_t offset, std::uint16_t count)
    {
        std::vector<unsigned char> table(std::size_t{count} * kSectionHeaderSize);
        if (!m_source.ReadAt(offset, table.data(), table.size()))
            return false;
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned char* h = table.data() + i * kSectionHeaderSize;
            m_sections.push_back({.virtualAddress = Le32(h + 12),
                                  .virtualSize = Le32(h + 8),
                                  .rawSize = Le32(h + 16),
                                  .rawPointer = Le32(h + 20)});
        }
        return !m_sections.empty();
    }

    ByteSource& m_source;
    std::uint32_t m_resourceRoot = 0;
    std::vector<Section> m_sections;
};

// The entries of the resource directory at `directory` (relative to the
// resource root), eight bytes each: named ones first, then numbered ones.
struct DirectoryEntries
{
    std::size_t named = 0;
    std::vector<unsigned char> bytes;

    std::size_t Count() const { return bytes.size() / kDirectoryEntrySize; }
    std::uint32_t Name(std::size_t i) const { return Le32(bytes.data() + i * kDirectoryEntrySize); }
    std::uint32_t Offset(std::size_t i) const
    {
        return Le32(bytes.data() + i * kDirectoryEntrySize + 4);
    }
};

std::optional<DirectoryEntries> ReadDirectory(PeImage& image, std::uint32_t directory)
{
    const std::uint64_t at = std::uint64_t{image.ResourceRoot()} + directory;
    unsigned char header[kDirectoryHeaderSize];
    if (!image.ReadRva(at, header, sizeof header))
        return std::nullopt;
    DirectoryEntries entries;
    entries.named = Le16(header + 12);
    // At most 128 Ki entries, bounded by what one section can hold.
    entries.bytes.resize((entries.named + Le16(header + 14)) * kDirectoryEntrySize);
    if (entries.bytes.empty() ||
        !image.ReadRva(at + kDirectoryHeaderSize, entries.bytes.data(), entries.bytes.size()))
        return std::nullopt;
    return entries;
}

// The OffsetToData of the numbered entry `id`; only numbered entries, which
// follow the named ones, can carry an id.
std::optional<std::uint32_t> FindEntry(const DirectoryEntries& entries, std::uint32_t id)
{
    for (std::size_t i = entries.named; i < entries.Count(); ++i) {
        if (entries.Name(i) == id)
            return entries.Offset(i);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> FindEntry(PeImage& image, std::uint32_t directory, std::uint32_t id)
{
    const auto entries = ReadDirectory(image, directory);
    return entries ? FindEntry(*entries, id) : std::nullopt;
}

// The language the system's version query takes: language-neutral, else
// English (United States), else the first entry listed.
std::optional<std::uint32_t> FindLanguage(PeImage& image, std::uint32_t directory)
{
    constexpr std::uint32_t kNeutral = 0x000;
    constexpr std::uint32_t kEnglish = 0x409;
    const auto entries = ReadDirectory(image, directory);
    if (!entries)
        return std::nullopt;
    for (const std::uint32_t language : {kNeutral, kEnglish}) {
        if (const auto entry = FindEntry(*entries, language))
            return entry;
    }
    return entries->Offset(0);
}

std::optional<std::uint32_t> FindSubdirectory(PeImage& image, std::uint32_t directory,
                                              std::uint32_t id)
{
    const auto entry = FindEntry(image, directory, id);
    if (!entry || !(*entry & kHighBit))
        return std::nullopt;
    return *entry & ~kHighBit;
}

struct ResourceData
{
    std::uint32_t rva;
    std::uint32_t size;
};

// RT_VERSION, name 1, in the language the system's version query uses.
std::optional<ResourceData> FindVersionResource(PeImage& image)
{
    const auto names = FindSubdirectory(image, 0, kRtVersion);
    const auto languages = names ? FindSubdirectory(image, *names, kVersionInfoId) : std::nullopt;
    const auto entry = languages ? FindLanguage(image, *languages) : std::nullopt;
    if (!entry || (*entry & kHighBit))
        return std::nullopt;
    unsigned char data[kDataEntrySize];
    if (!image.ReadRva(std::uint64_t{image.ResourceRoot()} + *entry, data, sizeof data))
        return std::nullopt;
    return ResourceData{Le32(data), Le32(data + 4)};
}

bool HasVersionKey(const unsigned char* header)
{
    for (std::size_t i = 0; i < sizeof kVersionKey; ++i) {
        if (Le16(header + 6 + 2 * i) != static_cast<unsigned char>(kVersionKey[i]))
            return false;
    }
    return true;
}

} // namespace

PeVersionResult ReadPeProductVersion(ByteSource& source)
{
    PeVersionResult result;
    PeImage image(source);
    const auto resource = image.Load() ? FindVersionResource(image) : std::nullopt;
    if (!resource || resource->size < kVersionHeaderSize)
        return result;

    unsigned char block[kVersionHeaderSize + kFixedInfoSize];
    if (!image.ReadRva(resource->rva, block, kVersionHeaderSize) || !HasVersionKey(block))
        return result;
    const std::uint16_t blockLength = Le16(block);
    const std::uint16_t valueLength = Le16(block + 2);
    // The system also reads a block that states up to 4 bytes more than the
    // resource holds, as long as what it reads lies within the resource.
    constexpr std::uint32_t kLengthSlack = 4;
    if (blockLength < kVersionHeaderSize ||
        blockLength > resource->size + std::uint64_t{kLengthSlack})
        return result;

    // From here on the resource is there but may lack a usable fixed record.
    result.status = PeVersionStatus::NoFixedInfo;
    if (valueLength < kFixedInfoSize || blockLength < sizeof block ||
        resource->size < sizeof block ||
        !image.ReadRva(std::uint64_t{resource->rva} + kVersionHeaderSize,
                       block + kVersionHeaderSize, kFixedInfoSize))
        return result;
    const unsigned char* fixed = block + kVersionHeaderSize;
    if (Le32(fixed) != kFixedInfoSignature)
        return result;

    // dwProductVersionMS and dwProductVersionLS; the file version before them is not used.
    const std::uint32_t high = Le32(fixed + 16);
    const std::uint32_t low = Le32(fixed + 20);
    result.product[0] = static_cast<std::uint16_t>(high >> 16);
    result.product[1] = static_cast<std::uint16_t>(high & 0xFFFF);
    result.product[2] = static_cast<std::uint16_t>(low >> 16);
    result.product[3] = static_cast<std::uint16_t>(low & 0xFFFF);
    result.status = PeVersionStatus::Found;
    return result;
}
