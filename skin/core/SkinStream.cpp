#include "skin/core/SkinStream.h"

#include "skin/core/SkinLimits.h"

namespace skin {

size_t ByteReader::Read(void* out, size_t count)
{
    const size_t available = count < Remaining() ? count : Remaining();
    if (available > 0)
        std::memcpy(out, Current(), available);
    m_position += available;
    return available;
}

SharedBytes ByteReader::Take(size_t count)
{
    const size_t available = count < Remaining() ? count : Remaining();
    const uint8_t* start = Current();
    m_position += available;
    if (m_owner)
        return SharedBytes(std::shared_ptr<const uint8_t>(m_owner, start), available);
    return SharedBytes(std::vector<uint8_t>(start, start + available));
}

void ByteWriter::Write(const void* data, size_t count)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    m_out.insert(m_out.end(), bytes, bytes + count);
}

void RecordIo::Bytes(void* value, size_t size)
{
    if (IsReading())
        m_reader->Read(value, size);
    else
        m_writer->Write(value, size);
}

void RecordIo::Reserved(size_t count)
{
    if (IsReading())
        m_reader->Skip(count);
    else
        m_writer->WriteZeros(count);
}

bool RecordIo::EnterLevel()
{
    if (m_depth >= kMaxDepth)
        return false;
    ++m_depth;
    return true;
}

bool RecordIo::AdmitObject()
{
    if (m_objects >= kMaxObjects) {
        RefuseOverLimit();
        return false;
    }
    ++m_objects;
    return true;
}

bool RecordIo::AdmitProperties(size_t count)
{
    m_properties += count;
    if (m_properties > kMaxProperties) {
        RefuseOverLimit();
        return false;
    }
    return true;
}

void RecordIo::RefuseOverLimit()
{
    m_overLimit = true;
    m_reader->Exhaust();
}

}  // namespace skin
