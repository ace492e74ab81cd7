#include "TestSkins.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/SkinLimits.h"
#include "skin/engine/EngineState.h"
#include "skin/SkinEngine.h"

#include <cstdio>

using namespace skin;

const char* const TEST_DIALOG_SKIN = "MainDialog";

SkinObject* AddObject(Skin& skin, int type, const std::string& name)
{
    SkinObjectPtr object = CreateSkinObject(type);
    SkinObject* raw = object.get();
    raw->SetName(name.empty() ? TypeName(type) : name);
    skin.AddObject(std::move(object));
    return raw;
}

SkinObject* AddControlChild(SkinObject& parent, int type, const std::string& name, uint32_t controlId)
{
    SkinObjectPtr object = CreateSkinObject(type);
    SkinObject* raw = object.get();
    raw->SetName(name);
    dynamic_cast<ControlObject&>(*raw).m_controlId = controlId;
    parent.AddChild(std::move(object));
    return raw;
}

namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

void AddPaintedImage(Skin& skin, const std::string& name, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel)
{
    // A 24-bit bottom-up BMP: file header, information header, rows.
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> bytes{'B', 'M'};
    for (uint32_t value : {uint32_t(54 + stride * height), 0u, 54u, 40u, uint32_t(width), uint32_t(height)})
        PutLittleEndian(bytes, value, 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLittleEndian(bytes, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixel(x, y);
            bytes.insert(bytes.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour)});
        }
        bytes.resize(bytes.size() + size_t(stride - width * 3));
    }
    auto image = std::make_unique<SkinImage>();
    image->SetName(name);
    image->SetEncoded(std::move(bytes), kImageBmp);
    skin.AddImage(std::move(image));
}

std::vector<int> AllControlKinds()
{
    return {kTypeButton,   kTypeCheckBox,  kTypeComboBox,      kTypeEdit,      kTypeGroupBox,   kTypeListBox,
            kTypeProgressBar, kTypeRadio,  kTypeScrollBar,     kTypeSlider,    kTypeStatic,     kTypeStatusBar,
            kTypeTab,      kTypeToolBar,   kTypeScrollControl, kTypeSpin,      kTypeListView,   kTypeTreeView,
            kTypeRichEdit, kTypeDateTime,  kTypeMonthCalendar, kTypeRebar,     kTypeHeader,     kTypeAnimate};
}

std::unique_ptr<Skin> MakeSkin(std::initializer_list<int> kinds)
{
    auto skin = std::make_unique<Skin>();
    AddObject(*skin, kTypeFrameWnd, TEST_DIALOG_SKIN);
    for (int kind : kinds)
        AddObject(*skin, kind);
    return skin;
}

std::unique_ptr<Skin> MakeFullSkin()
{
    auto skin = MakeSkin({});
    for (int kind : AllControlKinds())
        AddObject(*skin, kind);
    return skin;
}

std::vector<uint8_t> OverfullSkinBytes()
{
    std::unique_ptr<Skin> skin = MakeFullSkin();
    for (uint32_t i = 0; i < kMaxObjects; ++i)
        AddObject(*skin, kTypeVoice, "voice" + std::to_string(i));
    return skin->WriteBytes(kNewestMinor);
}

TempSkinFile::TempSkinFile(const char* tag)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH * 2];
    std::snprintf(path, sizeof path, "%svodrix_%s_%lu_%lu.smf", folder, tag, GetCurrentProcessId(),
                  GetCurrentThreadId());
    m_path = path;
}

TempSkinFile::~TempSkinFile() { DeleteFileA(m_path.c_str()); }

void TempSkinFile::WriteBytes(const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(m_path.c_str(), "wb");
    ASSERT_TRUE(file != nullptr) << m_path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

int LoadTestSkin(Skin& skin)
{
    TempSkinFile file("load");
    file.Write(skin);
    return LoadSkinFile(file.Path());
}

void StartTestEngine(Skin& skin)
{
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    ASSERT_NE(0, LoadTestSkin(skin));
    ASSERT_EQ(1, SetDialogSkin(TEST_DIALOG_SKIN));
}

void SkinnedThreadTest::SetUp() { StartTestEngine(*MakeFullSkin()); }

void SkinnedThreadTest::TearDown()
{
    ExitSkinEngine();
    EXPECT_EQ(0u, Engine().manager.RegisteredCount());
}

TestDialog::TestDialog(const char* title, DWORD style, RECT frame)
    : m_hWnd(CreateWindowExA(0, "#32770", title, style, frame.left, frame.top, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
{
}

TestDialog::~TestDialog() { DestroyWindow(m_hWnd); }

HWND TestDialog::Add(const char* className, DWORD style, RECT rect, int id, const char* text, DWORD exStyle)
{
    return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

SkinnedWindow* Skinned(HWND hwnd) { return Engine().manager.Find(hwnd); }

std::string WornObject(HWND hwnd)
{
    SkinnedWindow* window = Skinned(hwnd);
    return window && window->Object() ? window->Object()->Name() : std::string();
}
