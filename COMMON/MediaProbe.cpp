#include "COMMON/MediaProbe.h"

#include "COMMON/CConsoleProcess.h"
#include "COMMON/EncoderCommand.h"
#include "COMMON/EncoderOutput.h"
#include "win/OwnedHandle.h"

#include <dshow.h>
#include <qedit.h>

#include <cstdlib>
#include <memory>

namespace {

// The media detector, as DirectShow publishes it.
const CLSID CLSID_VODRIX_MEDIA_DET = {0x65BD0711, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};
const IID IID_VODRIX_MEDIA_DET = {0x65BD0710, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};

// The encoder's answer is read in chunks of this size, each parsed from its start.
constexpr DWORD PROBE_CHUNK_BYTES = 100;
constexpr size_t PROBE_COMMAND_CHARS = 1023;

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
using MediaDetPtr = std::unique_ptr<IMediaDet, ComRelease>;

// Frees what a media type points to, on every way out.
class MediaType {
public:
    MediaType() : m_type() {}
    ~MediaType()
    {
        CoTaskMemFree(m_type.pbFormat);
        if (m_type.pUnk)
            m_type.pUnk->Release();
    }
    MediaType(const MediaType&) = delete;
    MediaType& operator=(const MediaType&) = delete;
    AM_MEDIA_TYPE* receive() { return &m_type; }

    template <typename Format>
    const Format* FormatAs(const GUID& formatType) const
    {
        if (m_type.formattype != formatType || !m_type.pbFormat || m_type.cbFormat < sizeof(Format))
            return nullptr;
        return reinterpret_cast<const Format*>(m_type.pbFormat);
    }

private:
    AM_MEDIA_TYPE m_type;
};

class BString {
public:
    explicit BString(const wchar_t* text) : m_text(SysAllocString(text)) {}
    ~BString() { SysFreeString(m_text); }
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;
    BSTR get() const { return m_text; }

private:
    BSTR m_text;
};

void ClearProbeFields(const MediaProbeFields& f)
{
    *f.pdDuration = 0.0;
    *f.pbHasVideo = 0;
    *f.pbHasAudio = 0;
    *f.pdFrameRate = 0.0;
    *f.pnWidth = 0;
    *f.pnHeight = 0;
    *f.pnVideoBitRate = 0;
    *f.pnAudioBitRate = 0;
    *f.pnSampleRate = 0;
    *f.pnChannels = 0;
}

HRESULT ReadVideoStream(IMediaDet* detector, const MediaProbeFields& f, double* length)
{
    *f.pbHasVideo = 1;
    detector->get_FrameRate(f.pdFrameRate);
    detector->get_StreamLength(length);
    MediaType type;
    const HRESULT hr = detector->get_StreamMediaType(type.receive());
    if (SUCCEEDED(hr)) {
        if (const auto* info = type.FormatAs<VIDEOINFOHEADER>(FORMAT_VideoInfo)) {
            *f.pnWidth = info->bmiHeader.biWidth;
            *f.pnHeight = std::abs(info->bmiHeader.biHeight);  // bottom-up frames have a negative height
            *f.pnVideoBitRate = static_cast<int32_t>(info->dwBitRate);
        }
    }
    return hr;
}

HRESULT ReadAudioStream(IMediaDet* detector, const MediaProbeFields& f, double* length)
{
    *f.pbHasAudio = 1;
    detector->get_StreamLength(length);
    MediaType type;
    const HRESULT hr = detector->get_StreamMediaType(type.receive());
    if (SUCCEEDED(hr)) {
        if (const auto* wave = type.FormatAs<WAVEFORMATEX>(FORMAT_WaveFormatEx)) {
            *f.pnAudioBitRate = static_cast<int32_t>(wave->nAvgBytesPerSec * 8);
            *f.pnSampleRate = static_cast<int32_t>(wave->nSamplesPerSec);
            *f.pnChannels = wave->nChannels;
        }
    }
    return hr;
}

}  // namespace

MediaProbeFields ProbeFieldsOf(MediaItem* pItem)
{
    return {&pItem->m_dDuration,       &pItem->m_bHasVideo,        &pItem->m_bHasAudio,
            &pItem->m_dSrcFrameRate,   &pItem->m_nSrcWidth,        &pItem->m_nSrcHeight,
            &pItem->m_nSrcVideoBitRate, &pItem->m_nSrcAudioBitRate, &pItem->m_nSrcSampleRate,
            &pItem->m_nSrcChannels};
}

std::wstring WidePath(const char* path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    wide.resize(length - 1);
    return wide;
}

DWORD GetFileLength(const wchar_t* path)
{
    CKernelHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

HRESULT ProbeWithDirectShow(const wchar_t* path, const MediaProbeFields& fields)
{
    ClearProbeFields(fields);
    // The detector is never handed a file it cannot read anything from.
    if (GetFileLength(path) == 0)
        return E_FAIL;

    IMediaDet* created = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_VODRIX_MEDIA_DET, nullptr, CLSCTX_ALL, IID_VODRIX_MEDIA_DET,
                                  reinterpret_cast<void**>(&created));
    if (FAILED(hr))
        return hr;
    MediaDetPtr detector(created);
    const BString name(path);
    hr = detector->put_Filename(name.get());
    if (FAILED(hr))
        return hr;

    LONG streams = 0;
    hr = detector->get_OutputStreams(&streams);
    double videoLength = 0.0;
    double audioLength = 0.0;
    for (LONG stream = 0; SUCCEEDED(hr) && stream < streams; ++stream) {
        GUID majorType = GUID_NULL;
        hr = detector->put_CurrentStream(stream);
        if (SUCCEEDED(hr))
            hr = detector->get_StreamType(&majorType);
        if (FAILED(hr))
            break;
        if (majorType == MEDIATYPE_Video)
            hr = ReadVideoStream(detector.get(), fields, &videoLength);
        else if (majorType == MEDIATYPE_Audio)
            hr = ReadAudioStream(detector.get(), fields, &audioLength);
    }
    *fields.pdDuration = audioLength > videoLength ? audioLength : videoLength;
    return hr;
}

int bProbeWithEncoder(const char* sourcePath, int* pnDuration, int32_t* pnWidth, int32_t* pnHeight,
                      const std::string& programDir)
{
    if (!sourcePath || !pnDuration || !pnWidth || !pnHeight)
        return 0;
    try {
        const std::string command = ProbeCommandLine(programDir, sourcePath);
        // A cut command would name another file: refuse it whole.
        if (command.size() > PROBE_COMMAND_CHARS)
            return 0;

        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        CKernelHandle readEnd;
        CKernelHandle writeEnd;
        if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0))
            return 0;
        SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
        ProcessHandles process;
        StartHiddenProcess(EncoderProgram(programDir), command, nullptr, writeEnd.Get(), &process);
        // Without our copy of the write end, the read fails once the encoder
        // has ended (or at once when it never started).
        writeEnd.Reset();

        int width = *pnWidth;
        int height = *pnHeight;
        char chunk[PROBE_CHUNK_BYTES + 1];
        DWORD got = 0;
        while (!(*pnDuration > 0 && width > 0 && height > 0) &&
               ReadFile(readEnd.Get(), chunk, PROBE_CHUNK_BYTES, &got, nullptr)) {
            chunk[got] = '\0';
            ParseProbeChunk(chunk, pnDuration, &width, &height);
        }
        *pnWidth = width;
        *pnHeight = height;
        return *pnDuration > 0 && (width > 0 || height > 0) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int bProbeMediaFile(const char* sourcePath, MediaItem* pItem, const std::string& programDir)
{
    ProbeWithDirectShow(WidePath(sourcePath).c_str(), ProbeFieldsOf(pItem));
    if (pItem->m_dDuration > 0.0 && pItem->m_nSrcWidth > 0 && pItem->m_nSrcHeight > 0) {
        pItem->m_bDirectShow = 1;
        return 1;
    }
    int duration = 0;
    const int result = bProbeWithEncoder(sourcePath, &duration, &pItem->m_nSrcWidth, &pItem->m_nSrcHeight, programDir);
    pItem->m_bDirectShow = 0;
    pItem->m_dDuration = duration;
    return result;
}
