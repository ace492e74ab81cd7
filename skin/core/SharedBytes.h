// A range of bytes that keeps its buffer alive. An image read from a skin
// file shares the file's decompressed body instead of copying its bytes out
// of it, so loading a skin does not move every image through memory twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace skin {

class SharedBytes {
public:
    SharedBytes() = default;
    // Bytes of their own.
    explicit SharedBytes(std::vector<uint8_t> bytes)
    {
        auto owned = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        m_size = owned->size();
        m_data = std::shared_ptr<const uint8_t>(owned, owned->data());
    }
    // `size` bytes at `data`, kept alive by whatever owns `data`.
    SharedBytes(std::shared_ptr<const uint8_t> data, size_t size) : m_data(std::move(data)), m_size(size) {}

    const uint8_t* data() const { return m_data.get(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const uint8_t* begin() const { return data(); }
    const uint8_t* end() const { return data() + m_size; }

    friend bool operator==(const SharedBytes& a, const SharedBytes& b)
    {
        return a.m_size == b.m_size && (a.m_size == 0 || std::memcmp(a.data(), b.data(), a.m_size) == 0);
    }
    friend bool operator!=(const SharedBytes& a, const SharedBytes& b) { return !(a == b); }

private:
    std::shared_ptr<const uint8_t> m_data;  // shared with the buffer's other users
    size_t m_size = 0;
};

}  // namespace skin
