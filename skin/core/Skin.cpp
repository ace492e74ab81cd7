#include "skin/core/Skin.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/SkinLimits.h"
#include "skin/core/SkinStream.h"

#include <cstdio>
#include <cstring>

namespace skin {

namespace {

constexpr char kSignature[] = "TESSALINE_SKIN_FILE";
constexpr size_t kSignatureSize = 19;
constexpr size_t kMajorAt = 20;
constexpr size_t kMinorAt = 21;
constexpr size_t kObjectCountAt = 176;

// Files longer than any skin may be are refused before their bytes are read.
SkinStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return kSkinFileUnreadable;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    const bool tooLong = size >= 0 && uint64_t(size) > kMaxFileBytes;
    ok = size >= 0 && !tooLong && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok ? kSkinOk : tooLong ? kSkinTooLarge : kSkinFileUnreadable;
}

void WriteTable(RecordIo& io, const SkinObjectMap& table)
{
    uint32_t count = static_cast<uint32_t>(table.size());
    io.Field(count);
    WriteObjectList(io, table);
}

}  // namespace

Skin::Skin() = default;
Skin::~Skin() = default;

bool Skin::Fail(SkinStatus status)
{
    m_status = status;
    return false;
}

bool Skin::ReadFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    const SkinStatus read = ReadWholeFile(path, bytes);
    std::lock_guard<std::mutex> lock(m_lock);
    if (read != kSkinOk)
        return Fail(read);
    return ReadPackedLocked(bytes.data(), bytes.size(), &bytes);
}

bool Skin::ReadBytes(const uint8_t* data, size_t size)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return ReadPackedLocked(data, size, nullptr);
}

bool Skin::ReadBody(const uint8_t* body, size_t size)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return ReadBodyLocked(body, size, nullptr);
}

// `spent`, when given, holds the packed bytes and is let go once they are
// unpacked, so that the file and the objects are never in memory together.
bool Skin::ReadPackedLocked(const uint8_t* data, size_t size, std::vector<uint8_t>* spent)
{
    std::shared_ptr<const uint8_t> body;
    size_t length = 0;
    const SkinStatus unpacked = UnpackContainer(data, size, body, length);
    if (spent)
        std::vector<uint8_t>().swap(*spent);
    if (unpacked != kSkinOk)
        return Fail(unpacked);
    return ReadBodyLocked(body.get(), length, body);
}

// `owner`, when given, keeps `body` alive, and the images share it.
bool Skin::ReadBodyLocked(const uint8_t* body, size_t size, const std::shared_ptr<const uint8_t>& owner)
{
    ClearLocked();
    if (size > kMaxBodyBytes)
        return Fail(kSkinTooLarge);
    if (size < kHeaderSize)
        return Fail(kSkinHeaderShort);
    std::memcpy(m_header.data(), body, kHeaderSize);
    const uint8_t major = m_header[kMajorAt];
    const uint8_t minor = m_header[kMinorAt];
    if (std::memcmp(m_header.data(), kSignature, kSignatureSize) != 0 || major != kMajorVersion ||
        minor > kNewestMinor)
        return Fail(kSkinVersionRefused);
    m_major = major;
    m_minor = minor;

    ByteReader reader(body + kHeaderSize, size - kHeaderSize, owner);
    RecordIo io(reader, minor);
    uint32_t objectCount = 0;
    std::memcpy(&objectCount, m_header.data() + kObjectCountAt, 4);
    ReadObjectList(
        io, objectCount, kMaxObjects,
        [](int32_t typeId) { return typeId == kTypeCaptionButton ? nullptr : CreateSkinObject(typeId); },
        [this](SkinObjectPtr object) { PutObject(std::move(object)); });
    uint32_t imageCount = 0;
    io.Field(imageCount);
    ReadObjectList(
        io, imageCount, kMaxImages, [](int32_t) { return std::make_unique<SkinImage>(); },  // the type id is not checked
        [this](SkinObjectPtr image) { m_images[image->Name()] = std::move(image); });
    uint32_t voiceCount = 0;
    io.Field(voiceCount);
    ReadObjectList(
        io, voiceCount, kMaxObjects, [](int32_t) { return std::make_unique<SkinObject>(kTypeVoice); },
        [this](SkinObjectPtr voice) { m_voices[voice->Name()] = std::move(voice); });
    if (io.OverLimit()) {
        ClearLocked();  // what was read so far goes at once: it may be much
        return Fail(kSkinTooLarge);
    }
    m_unknownTypes = io.UnknownTypes();
    m_status = kSkinOk;
    return true;
}

std::vector<uint8_t> Skin::WriteBody(uint8_t minor)
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<uint8_t> body;
    const SkinHeader header = MakeHeader(kMajorVersion, minor, static_cast<uint32_t>(m_objects.size()));
    body.assign(header.begin(), header.end());
    ByteWriter writer(body);
    RecordIo io(writer, minor);
    WriteObjectList(io, m_objects);  // the header holds their count
    WriteTable(io, m_images);
    WriteTable(io, m_voices);
    return body;
}

std::vector<uint8_t> Skin::WriteBytes(uint8_t minor)
{
    return PackContainer(WriteBody(minor));
}

void Skin::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    ClearLocked();
}

void Skin::ClearLocked()
{
    m_sysColours = nullptr;
    m_objects.clear();
    m_images.clear();
    m_voices.clear();
    m_header = {};
    m_major = kMajorVersion;
    m_minor = kNewestMinor;
    m_unknownTypes = 0;
}

void Skin::PutObject(SkinObjectPtr object)
{
    SkinObjectPtr& place = m_objects[object->Name()];
    if (place.get() == m_sysColours)
        m_sysColours = nullptr;  // the table is being replaced
    if (object->TypeId() == kTypeSysColorTable)
        m_sysColours = static_cast<const SysColorTable*>(object.get());
    place = std::move(object);
}

bool Skin::AddObject(SkinObjectPtr object)
{
    if (object->TypeId() == kTypeCaptionButton)
        return false;
    std::lock_guard<std::mutex> lock(m_lock);
    PutObject(std::move(object));
    return true;
}

void Skin::AddImage(std::unique_ptr<SkinImage> image)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const std::string name = image->Name();
    m_images[name] = std::move(image);
}

void Skin::AddVoice(SkinObjectPtr voice)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const std::string name = voice->Name();
    m_voices[name] = std::move(voice);
}

namespace {

SkinObject* Find(const SkinObjectMap& table, const std::string& name)
{
    const auto found = table.find(name);
    return found == table.end() ? nullptr : found->second.get();
}

// The object's own children first, then each child's subtree in name order.
SkinObject* FindInSubtree(const SkinObject& object, const std::string& name)
{
    if (SkinObject* child = Find(object.Children(), name))
        return child;
    for (const auto& entry : object.Children()) {
        if (SkinObject* found = FindInSubtree(*entry.second, name))
            return found;
    }
    return nullptr;
}

}  // namespace

SkinObject* Skin::FindObjectLocked(const std::string& name) const
{
    if (SkinObject* object = Find(m_objects, name))
        return object;
    for (const auto& entry : m_objects) {
        if (SkinObject* found = FindInSubtree(*entry.second, name))
            return found;
    }
    if (SkinObject* image = Find(m_images, name))
        return image;
    return Find(m_voices, name);
}

SkinObject* Skin::FindObject(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return FindObjectLocked(name);
}

// An object found by the type's name counts only if it has that type: the
// caller treats the result as an object of the type.
SkinObject* Skin::DefaultObjectLocked(int32_t typeId) const
{
    if (typeId == kTypeControlBar)
        typeId = kTypeToolBar;
    if (const char* typeName = TypeName(typeId)) {
        SkinObject* named = FindObjectLocked(typeName);
        if (named && named->TypeId() == typeId)
            return named;
    }
    for (const auto& entry : m_objects) {
        if (entry.second->TypeId() == typeId)
            return entry.second.get();
    }
    return nullptr;
}

SkinObject* Skin::DefaultObject(int32_t typeId) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return DefaultObjectLocked(typeId);
}

SkinObject* Skin::ObjectForControl(const SkinObject* owner, int32_t kind, uint32_t controlId) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (owner) {
        for (const auto& entry : owner->Children()) {
            const auto* control = dynamic_cast<const ControlObject*>(entry.second.get());
            if (control && control->TypeId() == kind && control->m_controlId == controlId)
                return entry.second.get();
        }
    }
    return DefaultObjectLocked(kind);
}

SkinImage* Skin::FindImage(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return static_cast<SkinImage*>(Find(m_images, name));
}

}  // namespace skin
