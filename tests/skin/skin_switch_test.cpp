// Changing the skin of live windows: to another skin, to no skin and back,
// read from the windows' pixels and state; and a skin that cannot be read.
#include "FrameTestSkin.h"
#include "TestSkins.h"

#include "skin/core/FrameObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/SkinEngine.h"
#include "support/GuiObjects.h"
#include "support/MessageSequence.h"

#include <set>

using namespace skin;
using namespace frametest;

namespace {

constexpr DWORD kDialogFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kWidth = 400;
constexpr int kHeight = 300;

// A frame skin whose left border and client are plain colours of their own,
// with objects for buttons, list boxes and their scroll bars.
std::unique_ptr<Skin> MakeColouredSkin(COLORREF border, COLORREF client)
{
    std::unique_ptr<Skin> skin = MakeFrameSkin(true, {});
    FrameWnd& frame = FrameOf(*skin);
    frame.m_active[kPartLeft] = frame.m_active[kPartClient] = ImageSlice{};
    frame.m_activeColour = frame.m_inactiveColour = border | 0xFF000000;
    frame.m_clientColour = client | 0xFF000000;
    for (int kind : {kTypeButton, kTypeListBox, kTypeScrollBar})
        AddObject(*skin, kind);
    return skin;
}

struct Look {
    COLORREF border;
    COLORREF client;
};
const Look kFirst{RGB(20, 140, 60), RGB(200, 30, 90)};
const Look kSecond{RGB(40, 40, 160), RGB(230, 200, 20)};

class SkinSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartTestEngine(*MakeColouredSkin(kFirst.border, kFirst.client));
        m_dialog = std::make_unique<FrameDialog>(kDialogFrame, kWidth, kHeight);
        m_button = Child("Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, {10, 10, 90, 34});
        m_list = Child("ListBox", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, {10, 50, 150, 150});
        for (int row = 0; row < 40; ++row)
            SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
        GetClientRect(Dialog(), &m_client);
    }
    void TearDown() override { m_dialog.reset(), ExitSkinEngine(); }

    HWND Dialog() const { return m_dialog->Handle(); }
    HWND Child(const char* className, DWORD style, RECT rect) const
    {
        return CreateWindowExA(0, className, "", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, Dialog(), nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    void Redraw() const
    {
        PumpMessages();
        RedrawWindow(Dialog(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    bool HasRegion() const
    {
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(Dialog(), probe);
        DeleteObject(probe);
        return kind != ERROR;
    }

    std::unique_ptr<FrameDialog> m_dialog;
    HWND m_button = nullptr;
    HWND m_list = nullptr;
    RECT m_client{};
};

TEST_F(SkinSwitchTest, WindowsFollowEachSkinNoSkinAndBackAgain)
{
    const struct {
        const char* step;
        const Look* look;  // null: no skin
    } steps[] = {{"other skin", &kSecond}, {"no skin", nullptr}, {"no skin twice", nullptr}, {"back", &kFirst},
                 {"other again", &kSecond}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        if (step.look)
            ASSERT_NE(0, LoadTestSkin(*MakeColouredSkin(step.look->border, step.look->client)));
        else
            ASSERT_EQ(1, UnloadSkin());
        Redraw();
        const bool skinned = step.look != nullptr;
        for (HWND window : {Dialog(), m_button, m_list})
            EXPECT_EQ(skinned, IsSkinDrawn(window)) << GetDlgCtrlID(window);
        EXPECT_EQ(skinned, HasRegion());
        EXPECT_EQ(skinned, GetPropA(m_list, "CoolSBSubclassPtr") != nullptr) << "skinned scroll bars";
        if (!skinned) {
            EXPECT_NE(0, GetWindowLongA(m_list, GWL_STYLE) & WS_VSCROLL) << "the system has the bar back";
        }
        RECT client{};
        GetClientRect(Dialog(), &client);
        EXPECT_TRUE(EqualRect(&m_client, &client)) << "the client keeps its size in every frame";
        const COLORREF fill = skinned ? step.look->client : GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(fill, m_dialog->PixelAt({kWidth / 2, kHeight - 40}));
        if (skinned) {
            EXPECT_EQ(step.look->border, m_dialog->PixelAt({0, kHeight / 2}));
        }
    }
}

TEST_F(SkinSwitchTest, SwitchingAgainAndAgainLeavesNoObjectsBehind)
{
    TempSkinFile first("first");
    first.Write(*MakeColouredSkin(kFirst.border, kFirst.client));
    TempSkinFile second("second");
    second.Write(*MakeColouredSkin(kSecond.border, kSecond.client));
    const auto cycle = [&] {
        LoadSkinFile(second.Path());
        Redraw();
        UnloadSkin();
        Redraw();
        LoadSkinFile(first.Path());
        Redraw();
    };
    // Brushes of the skins' colours are made at a paint's first ask and kept: a few rounds first.
    for (int round = 0; round < 3; ++round)
        cycle();
    EXPECT_TRUE(LeavesNoGuiObjects(cycle, 30));
}

// A skin file whose body is a header of `major` and nothing more.
std::vector<uint8_t> HeaderOnly(uint8_t major)
{
    const SkinHeader header = MakeHeader(major, kNewestMinor, 0);
    return PackContainer(std::vector<uint8_t>(header.begin(), header.end()));
}

TEST_F(SkinSwitchTest, ASkinThatCannotBeReadLeavesTheCurrentOneAndSaysWhy)
{
    const struct {
        const char* file;
        std::vector<uint8_t> bytes;  // empty: no file at all
        int status;
    } broken[] = {
        {"missing", {}, SKIN_STATUS_FILE_NOT_OPENED},
        {"damaged", std::vector<uint8_t>(40, 7), SKIN_STATUS_BODY_UNREADABLE},
        {"short", PackContainer(std::vector<uint8_t>(40, 1)), SKIN_STATUS_HEADER_SHORT},
        {"refused", HeaderOnly(kMajorVersion + 1), SKIN_STATUS_HEADER_REFUSED},
    };
    std::set<std::string> texts;
    for (const auto& file : broken) {
        SCOPED_TRACE(file.file);
        TempSkinFile written(file.file);
        if (!file.bytes.empty())
            written.WriteBytes(file.bytes);
        else
            DeleteFileA(written.Path());
        EXPECT_EQ(0, LoadSkinFile(written.Path()));
        EXPECT_EQ(file.status, GetSkinStatus());
        Redraw();
        EXPECT_EQ(TEST_DIALOG_SKIN, WornObject(Dialog()));
        EXPECT_TRUE(IsSkinDrawn(m_button));
        EXPECT_EQ(kFirst.client, m_dialog->PixelAt({kWidth / 2, kHeight - 40}));
        texts.insert(SkinStatusText(file.status));
    }
    EXPECT_EQ(std::size(broken), texts.size()) << "each reason in words of its own";
    EXPECT_EQ(0u, texts.count(SkinStatusText(-1)));
}

}  // namespace
