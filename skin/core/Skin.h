// A loaded skin: the tree of named objects, the image and voice tables, and
// the file they come from.
#pragma once

#include "skin/core/SkinObject.h"
#include "skin/core/SkinTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace skin {

class SkinImage;
class SysColorTable;

constexpr size_t kHeaderSize = 188;
constexpr uint8_t kMajorVersion = 1;
constexpr uint8_t kNewestMinor = 16;

using SkinHeader = std::array<uint8_t, kHeaderSize>;

// A header announcing a version and a number of top-level objects; the
// bytes without a meaning are zero.
SkinHeader MakeHeader(uint8_t major, uint8_t minor, uint32_t objectCount);

// The container: the body's length (32-bit, little-endian), then the body
// compressed with LZO1X.
std::vector<uint8_t> PackContainer(const std::vector<uint8_t>& body);
// The body of a container and its length: kSkinOk; kSkinTooLarge when it
// announces a body longer than a skin may have (nothing is allocated then);
// kSkinBodyBroken when it cannot be decompressed to the announced length.
SkinStatus UnpackContainer(const uint8_t* data, size_t size, std::shared_ptr<const uint8_t>& body, size_t& length);
// The start of a container's body from the first bytes of the container:
// up to `capacity` bytes into `out`, as many as those bytes make. The
// number of bytes made; 0 when they are no LZO1X stream.
size_t UnpackContainerStart(const uint8_t* data, size_t size, uint8_t* out, size_t capacity);

class Skin {
public:
    Skin();
    ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Reads a skin file, the bytes of one, or its decompressed body. On
    // false, Status() says why; the skin then holds what was read so far,
    // or nothing when the skin holds more than SkinLimits.h allows.
    bool ReadFile(const std::string& path);
    bool ReadBytes(const uint8_t* data, size_t size);
    bool ReadBody(const uint8_t* body, size_t size);

    // The whole file at a minor version of the current major version.
    std::vector<uint8_t> WriteBytes(uint8_t minor);
    std::vector<uint8_t> WriteBody(uint8_t minor);

    // Destroys every object, image and voice; the version becomes 1.16.
    void Clear();

    SkinStatus Status() const { return m_status; }
    uint8_t Major() const { return m_major; }
    uint8_t Minor() const { return m_minor; }
    void SetMinor(uint8_t minor) { m_minor = minor; }
    const SkinHeader& Header() const { return m_header; }
    // Type ids met in the file that the reader does not know.
    uint32_t UnknownTypes() const { return m_unknownTypes; }

    // Building a skin. A top-level object replaces one of the same name;
    // a type that can only be a child (CaptionButton) is refused.
    bool AddObject(SkinObjectPtr object);
    void AddImage(std::unique_ptr<SkinImage> image);
    void AddVoice(SkinObjectPtr voice);

    // Tables in name order.
    const SkinObjectMap& Objects() const { return m_objects; }
    const SkinObjectMap& Images() const { return m_images; }
    const SkinObjectMap& Voices() const { return m_voices; }

    // Lookups, each under the skin's lock.
    // Top-level name, then each top-level object's subtree, then images,
    // then voices.
    SkinObject* FindObject(const std::string& name) const;
    // The object named like the type (24 counts as 23) if it has that type,
    // else the first top-level object of the type in name order.
    SkinObject* DefaultObject(int32_t typeId) const;
    // The first child of `owner` of the control's kind with its identifier,
    // else the default object of the kind.
    SkinObject* ObjectForControl(const SkinObject* owner, int32_t kind, uint32_t controlId) const;
    SkinImage* FindImage(const std::string& name) const;
    const SysColorTable* SysColours() const { return m_sysColours; }

private:
    bool ReadPackedLocked(const uint8_t* data, size_t size, std::vector<uint8_t>* spent);
    bool ReadBodyLocked(const uint8_t* body, size_t size, const std::shared_ptr<const uint8_t>& owner);
    bool Fail(SkinStatus status);
    void ClearLocked();
    SkinObject* FindObjectLocked(const std::string& name) const;
    SkinObject* DefaultObjectLocked(int32_t typeId) const;
    void PutObject(SkinObjectPtr object);

    mutable std::mutex m_lock;
    SkinStatus m_status = kSkinOk;
    SkinHeader m_header = {};
    uint8_t m_major = kMajorVersion;
    uint8_t m_minor = kNewestMinor;
    uint32_t m_unknownTypes = 0;
    SkinObjectMap m_objects;
    SkinObjectMap m_images;
    SkinObjectMap m_voices;
    const SysColorTable* m_sysColours = nullptr;  // one of m_objects
};

}  // namespace skin
