// Skins built in code for the engine's tests, written to files that
// LoadSkinFile reads, and the engine started for the test's thread.
#pragma once

#include "skin/core/Skin.h"
#include "skin/engine/SkinnedWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The dialog object of every test skin.
extern const char* const TEST_DIALOG_SKIN;

// Adds a top-level object (named like its type unless `name` is given).
skin::SkinObject* AddObject(skin::Skin& skin, int type, const std::string& name = "");
// AddObject for an object of the class `T` that `type` makes.
template <typename T>
T& AddObjectAs(skin::Skin& skin, int type, const std::string& name = "")
{
    return dynamic_cast<T&>(*AddObject(skin, type, name));
}
// Adds a control object under `parent` for the control with `controlId`.
skin::SkinObject* AddControlChild(skin::SkinObject& parent, int type, const std::string& name, uint32_t controlId);

// Adds to `skin` an image `name` of `width` x `height` whose every pixel is
// given by `pixel(x, y)`, stored as a BMP file.
void AddPaintedImage(skin::Skin& skin, const std::string& name, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel);

// A skin with the dialog object and a default object for each of `kinds`.
std::unique_ptr<skin::Skin> MakeSkin(std::initializer_list<int> kinds);
// Every kind a skinned window can have.
std::vector<int> AllControlKinds();
std::unique_ptr<skin::Skin> MakeFullSkin();
// The file of a skin the engine could wear, but for one object more than a
// skin may hold.
std::vector<uint8_t> OverfullSkinBytes();

// A file in the temporary folder, unique to this process, deleted with the object.
class TempSkinFile {
public:
    explicit TempSkinFile(const char* tag);
    ~TempSkinFile();
    TempSkinFile(const TempSkinFile&) = delete;
    TempSkinFile& operator=(const TempSkinFile&) = delete;

    const char* Path() const { return m_path.c_str(); }
    void Write(skin::Skin& skin) { WriteBytes(skin.WriteBytes(16)); }
    void WriteBytes(const std::vector<uint8_t>& bytes);

private:
    std::string m_path;
};

// Loads `skin` through a file, as the program does; the result of LoadSkinFile.
int LoadTestSkin(skin::Skin& skin);

// Starts the engine for the test's thread with `skin`, the dialog skin named.
void StartTestEngine(skin::Skin& skin);

// The engine started for the test's thread with the full skin and the dialog
// skin named; stopped after the test.
class SkinnedThreadTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A dialog window ("#32770") made without a template at `frame` on the
// screen, destroyed with the object.
class TestDialog {
public:
    explicit TestDialog(const char* title = "test dialog", DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        RECT frame = {10, 10, 310, 210});
    ~TestDialog();
    TestDialog(const TestDialog&) = delete;
    TestDialog& operator=(const TestDialog&) = delete;

    HWND Handle() const { return m_hWnd; }
    // A visible child control at `rect` of the client area; destroyed with the dialog.
    HWND Add(const char* className, DWORD style, RECT rect, int id = 100, const char* text = "", DWORD exStyle = 0);
    HWND AddControl(const char* className, DWORD style, int id = 100)
    {
        return Add(className, style, {5, 5, 125, 65}, id, "text");
    }

private:
    HWND m_hWnd;
};

// The skinned window of a handle, null when the engine has none.
skin::SkinnedWindow* Skinned(HWND hwnd);
// The name of the object a window wears, empty when it is not skinned.
std::string WornObject(HWND hwnd);
