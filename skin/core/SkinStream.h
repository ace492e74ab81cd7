// Reading and writing the decoded body of a skin file. One description of
// each record (RecordIo) serves both directions, so that what is written is
// exactly what is read.
#pragma once

#include "skin/core/SharedBytes.h"
#include "skin/core/SkinRecords.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace skin {

// Reads from a byte range without ever passing its end. A read that meets
// the end copies what is left and leaves the rest of the field as it was.
class ByteReader {
public:
    // `owner`, when given, keeps `data` alive; what Take returns then shares it.
    ByteReader(const uint8_t* data, size_t size, std::shared_ptr<const uint8_t> owner = nullptr)
        : m_data(data), m_size(size), m_owner(std::move(owner))
    {
    }

    size_t Read(void* out, size_t count);
    // The next `count` bytes, or what is left of them.
    SharedBytes Take(size_t count);
    void Skip(size_t count) { m_position += count < Remaining() ? count : Remaining(); }
    // Ends the reading: every later read finds the end.
    void Exhaust() { m_position = m_size; }

    bool AtEnd() const { return m_position >= m_size; }
    size_t Remaining() const { return m_size - m_position; }
    const uint8_t* Current() const { return m_data + m_position; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
    std::shared_ptr<const uint8_t> m_owner;  // null when the bytes belong to the caller
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void Write(const void* data, size_t count);
    void WriteZeros(size_t count) { m_out.insert(m_out.end(), count, 0); }
    void WriteUint32(uint32_t value) { Write(&value, sizeof value); }

private:
    std::vector<uint8_t>& m_out;
};

// One pass over records, either reading them from a body or writing them
// for a given minor version. Records are little-endian and unpadded, like
// the machines this runs on, so fields move byte for byte.
class RecordIo {
public:
    // Objects nest at most this deep; a deeper child ends the reading, so a
    // hostile file cannot exhaust the stack.
    static constexpr int kMaxDepth = 32;

    RecordIo(ByteReader& reader, int minor) : m_reader(&reader), m_minor(minor) {}
    RecordIo(ByteWriter& writer, int minor) : m_writer(&writer), m_minor(minor) {}

    bool IsReading() const { return m_reader != nullptr; }
    int Minor() const { return m_minor; }
    ByteReader& Reader() { return *m_reader; }
    ByteWriter& Writer() { return *m_writer; }

    // A fixed-size field: a record, a number or a text.
    template <typename T>
    void Field(T& value)
    {
        static_assert(std::is_trivially_copyable<T>::value, "records move byte for byte");
        Bytes(&value, sizeof value);
        if (IsReading())
            Seal(value);
    }

    // Bytes that hold nothing: skipped when read, written as zeros.
    void Reserved(size_t count);

    // A nesting level of children; false when it is too deep.
    bool EnterLevel();
    void LeaveLevel() { --m_depth; }

    // Type ids that the reader does not know, counted over the whole read.
    void CountUnknownType() { ++m_unknownTypes; }
    uint32_t UnknownTypes() const { return m_unknownTypes; }

    // The limits of SkinLimits.h, asked before each object is made and
    // before it reads its record. A refusal ends the reading (as if the
    // body ended there) and marks the read as over the limits.
    bool AdmitObject();
    bool AdmitProperties(size_t count);
    // Ends the reading over the limits for a reason the caller counted.
    void RefuseOverLimit();
    bool OverLimit() const { return m_overLimit; }

private:
    void Bytes(void* value, size_t size);

    // A text read from a file always ends within its field.
    template <size_t N>
    static void Seal(char (&text)[N]) { text[N - 1] = '\0'; }
    static void Seal(ImageSlice& slice) { slice.imageName[kImageNameField - 1] = '\0'; }
    static void Seal(NineGridImage& grid) { grid.imageName[kImageNameField - 1] = '\0'; }
    static void Seal(FontRecord& font) { font.faceName[sizeof font.faceName - 1] = '\0'; }
    template <typename T>
    static void Seal(T&) {}

    ByteReader* m_reader = nullptr;
    ByteWriter* m_writer = nullptr;
    int m_minor;
    int m_depth = 0;
    uint32_t m_unknownTypes = 0;
    uint32_t m_objects = 0;
    uint64_t m_properties = 0;
    bool m_overLimit = false;
};

}  // namespace skin
