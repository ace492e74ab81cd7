// The one owning-handle template of the program: kernel objects, registry
// keys, searches, GDI objects and icons each have exactly one owner that frees
// them when replaced or destroyed, so that no early return leaks one. Kernel
// functions only: the conversion engine, built without the window system's
// declarations, includes this header too.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle and frees it with `Free` when replaced or destroyed. The
// invalid value some functions return for "none" counts as no handle.
template <typename Handle, void (*Free)(Handle)>
class COwnedHandle {
public:
    COwnedHandle() = default;
    explicit COwnedHandle(Handle handle) : m_handle(Valid(handle) ? handle : nullptr) {}
    ~COwnedHandle() { Reset(); }
    COwnedHandle(COwnedHandle&& other) noexcept : m_handle(other.Release()) {}
    COwnedHandle& operator=(COwnedHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    COwnedHandle(const COwnedHandle&) = delete;
    COwnedHandle& operator=(const COwnedHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // For functions that hand out a new handle through a pointer.
    Handle* Receive()
    {
        Reset();
        return &m_handle;
    }

    Handle Release() { return std::exchange(m_handle, nullptr); }

    // Frees the owned handle, keeping the thread's last-error code, so that
    // cleanup on a failure path does not hide why it failed.
    void Reset(Handle handle = nullptr)
    {
        if (m_handle) {
            const DWORD lastError = ::GetLastError();
            Free(m_handle);
            ::SetLastError(lastError);
        }
        m_handle = Valid(handle) ? handle : nullptr;
    }

private:
    static bool Valid(Handle handle) { return handle && handle != reinterpret_cast<Handle>(INVALID_HANDLE_VALUE); }

    Handle m_handle = nullptr;  // owned
};

inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void CloseRegistryKey(HKEY key) { ::RegCloseKey(key); }
inline void CloseFileSearch(HANDLE search) { ::FindClose(search); }

// A process, thread, file, pipe, mutex or token.
using CKernelHandle = COwnedHandle<HANDLE, &CloseKernelHandle>;
using CRegistryKey = COwnedHandle<HKEY, &CloseRegistryKey>;
// A search of FindFirstFile, which ends with FindClose, not CloseHandle.
using CFileSearch = COwnedHandle<HANDLE, &CloseFileSearch>;
