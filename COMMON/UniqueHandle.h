// Sole owner of one kernel handle: closes it when replaced or destroyed.
#pragma once

#include <windows.h>

#include <utility>

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(Valid(handle) ? handle : nullptr) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // For APIs that hand out a new handle through a pointer.
    HANDLE* receive()
    {
        reset();
        return &m_handle;
    }

    HANDLE release() { return std::exchange(m_handle, nullptr); }

    // Closes the owned handle, keeping the thread's last-error code, so that
    // cleanup on a failure path does not hide why it failed.
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle) {
            const DWORD lastError = GetLastError();
            CloseHandle(m_handle);
            SetLastError(lastError);
        }
        m_handle = Valid(handle) ? handle : nullptr;
    }

private:
    static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }

    HANDLE m_handle = nullptr;
};
