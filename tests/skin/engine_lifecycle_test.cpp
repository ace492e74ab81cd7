// Starting and stopping the engine per thread, the dialog skin name and the
// statuses of the operations.
#include "TestSkins.h"

#include "skin/core/PlainObjects.h"
#include "skin/engine/EngineState.h"
#include "skin/engine/Interception.h"
#include "skin/SkinEngine.h"
#include "support/MessageSequence.h"
#include "support/WindowWatch.h"

#include <cstring>
#include <functional>
#include <thread>

using namespace skin;

namespace {

bool ClassRegistered(const char* name)
{
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &wc) != FALSE;
}

TEST(SkinEngineLifecycleTest, OperationsBeforeTheStartFailWithStatus19)
{
    TempSkinFile file("early");
    file.Write(*MakeFullSkin());
    const struct {
        const char* operation;
        std::function<int()> call;
    } operations[] = {
        {"LoadSkinFile", [&] { return LoadSkinFile(file.Path()); }},
        {"SetDialogSkin", [] { return SetDialogSkin(TEST_DIALOG_SKIN); }},
        {"ClearDialogSkin", [] { return ClearDialogSkin(); }},
        {"UnloadSkin", [] { return UnloadSkin(); }},
    };
    for (const auto& op : operations) {
        EXPECT_EQ(0, op.call()) << op.operation;
        EXPECT_EQ(SKIN_STATUS_NOT_INITIALISED, GetSkinStatus()) << op.operation;
    }
    EXPECT_STREQ("", Engine().dialogSkinName);
    EXPECT_TRUE(Engine().manager.CurrentSkin().Objects().empty());
}

TEST(SkinEngineLifecycleTest, ADialogSkinNameIsCutToFiftyCharacters)
{
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    const std::string longName(60, 'N');
    EXPECT_EQ(1, SetDialogSkin(longName.c_str()));
    EXPECT_EQ(longName.substr(0, 50), Engine().dialogSkinName);
    EXPECT_EQ(1, ClearDialogSkin());
    EXPECT_STREQ("", Engine().dialogSkinName);
    ExitSkinEngine();
}

TEST(SkinEngineLifecycleTest, ASecondStartOnOneThreadInstallsNothing)
{
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    const HHOOK callHook = ThreadCallWndProcHook();
    const HHOOK keyHook = ThreadKeyboardHook();
    const HWND tooltip = Engine().tooltip->Handle();
    EXPECT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    EXPECT_EQ(SKIN_STATUS_OK, GetSkinStatus());
    EXPECT_EQ(callHook, ThreadCallWndProcHook());
    EXPECT_EQ(keyHook, ThreadKeyboardHook());
    EXPECT_EQ(tooltip, Engine().tooltip->Handle());
    EXPECT_EQ(1u, Engine().threads.callWndProcHooks.size());
    ExitSkinEngine();
    EXPECT_EQ(nullptr, ThreadCallWndProcHook());
}

// A second thread that starts the engine, then stops it when told to.
class EngineThread {
public:
    EngineThread()
        : m_thread([this] {
              m_started = InitSkinEngine(GetModuleHandleA(nullptr), "second");
              m_ready.store(true);
              WaitUntil([this] { return m_exit.load(); }, 60000);
              ExitSkinEngine();
          })
    {
        WaitUntil([this] { return m_ready.load(); }, 30000);
    }
    ~EngineThread() { Stop(); }
    void Stop()
    {
        m_exit = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    int Started() const { return m_started; }

private:
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_exit{false};
    int m_started = 0;
    std::thread m_thread;
};

TEST(SkinEngineLifecycleTest, TheEngineStaysUpUntilTheLastThreadStops)
{
    for (bool secondStopsFirst : {true, false}) {
        SCOPED_TRACE(secondStopsFirst ? "the second thread stops first" : "this thread stops first");
        ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "first"));
        EngineThread second;
        ASSERT_EQ(1, second.Started());
        ASSERT_NE(0, LoadTestSkin(*MakeFullSkin()));
        const HWND tooltip = Engine().tooltip->Handle();
        ASSERT_TRUE(IsWindow(tooltip));

        if (secondStopsFirst)
            second.Stop();
        else
            ExitSkinEngine();
        EXPECT_EQ(1u, Engine().threads.callWndProcHooks.size());
        EXPECT_EQ(secondStopsFirst, ThreadCallWndProcHook() != nullptr);
        EXPECT_TRUE(IsWindow(tooltip));
        EXPECT_TRUE(ClassRegistered(TOOLTIP_CLASS));
        EXPECT_TRUE(Engine().manager.CurrentSkin().FindObject(TEST_DIALOG_SKIN));
        EXPECT_EQ(1, SetDialogSkin(TEST_DIALOG_SKIN)) << "still started";

        if (secondStopsFirst)
            ExitSkinEngine();
        else
            second.Stop();
        EXPECT_TRUE(Engine().threads.callWndProcHooks.empty());
        EXPECT_TRUE(Engine().threads.keyboardHooks.empty());
        // A tooltip of this thread torn down by the other closes when this thread reads its messages.
        EXPECT_TRUE(WaitUntil([tooltip] { PumpMessages(); return !IsWindow(tooltip); }, 10000));
        if (secondStopsFirst) {
            EXPECT_FALSE(ClassRegistered(TOOLTIP_CLASS));
            EXPECT_FALSE(ClassRegistered(POPUP_MENU_CLASS));
        }
        EXPECT_TRUE(Engine().manager.CurrentSkin().Objects().empty());
        EXPECT_EQ(0, SetDialogSkin(TEST_DIALOG_SKIN)) << "torn down";
    }
}

TEST(SkinEngineLifecycleTest, TheButtonClassIsProbedOnWindowsXpOnly)
{
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    EXPECT_EQ(Engine().osFamily == kOsWindowsXp, Engine().xpButtonProc != nullptr);
    ExitSkinEngine();
    EXPECT_EQ(nullptr, Engine().xpButtonProc);
}

// The colour of a solid brush; CLR_INVALID when it is none (any more).
COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH logBrush{};
    if (GetObjectType(brush) != OBJ_BRUSH || !GetObjectA(brush, sizeof logBrush, &logBrush))
        return CLR_INVALID;
    return logBrush.lbColor;
}

TEST(SkinEngineLifecycleTest, WherePatchedTheSystemColoursComeFromTheSkinsTableUntilTheStop)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF outOfRange = GetSysColor(40);
    ASSERT_EQ(1, InitSkinEngine(GetModuleHandleA(nullptr), "test"));
    std::unique_ptr<Skin> skin = MakeFullSkin();
    auto& table = AddObjectAs<SysColorTable>(*skin, kTypeSysColorTable, "Colours");
    // With the spare byte set, as some skins have it.
    for (int index = 0; index < kSystemColourCount; ++index)
        table.m_colours[index] = RGB(index, 2 * index, 100) | 0xFF000000;
    ASSERT_NE(0, LoadTestSkin(*skin));
    const bool patched = InstalledInterception() == InterceptionMethod::kCodePatching;
    EXPECT_EQ(patched, Engine().osFamily >= kOsNt4);
    EXPECT_EQ(patched ? RGB(COLOR_BTNFACE, 2 * COLOR_BTNFACE, 100) : face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(patched ? RGB(0, 0, 100) : outOfRange, GetSysColor(40)) << "out of range: the first entry";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), BrushColour(GetSysColorBrush(COLOR_BTNFACE)));

    // What the table answers wherever it is asked; a brush handed out stays
    // what it was for as long as the process lives, as the system's do.
    COLORREF colour = 0;
    HBRUSH handedOut = nullptr;
    ASSERT_TRUE(Engine().sysColours.SysColour(COLOR_BTNFACE, colour));
    ASSERT_TRUE(Engine().sysColours.SysColourBrush(COLOR_BTNFACE, handedOut));
    const COLORREF tableFace = RGB(COLOR_BTNFACE, 2 * COLOR_BTNFACE, 100);
    EXPECT_EQ(tableFace, colour);
    EXPECT_EQ(tableFace, BrushColour(handedOut));
    ASSERT_NE(0, LoadTestSkin(*MakeFullSkin()));
    EXPECT_EQ(tableFace, BrushColour(handedOut)) << "after a skin without a table";
    ExitSkinEngine();
    EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(tableFace, BrushColour(handedOut)) << "after the stop";
}

// The body of a skin file with nothing but a header of the given version.
std::vector<uint8_t> HeaderOnlyBody(uint8_t major, uint8_t minor)
{
    const SkinHeader header = MakeHeader(major, minor, 0);
    std::vector<uint8_t> body(header.begin(), header.end());
    body.resize(body.size() + 8, 0);  // no images, no voices
    return body;
}

// A skin whose one picture announces more pixels than a skin may have, in
// a few bytes (as run-length data may).
std::vector<uint8_t> TooManyPixels()
{
    std::unique_ptr<Skin> skin = MakeFullSkin();
    AddPaintedImage(*skin, "huge", 1, 1, [](int, int) { return RGB(0, 0, 0); });
    SkinImage& huge = *skin->FindImage("huge");
    std::vector<uint8_t> bytes(huge.Encoded().begin(), huge.Encoded().end());
    const uint32_t side = 4096;
    std::memcpy(&bytes[18], &side, 4);  // the information header's width and height
    std::memcpy(&bytes[22], &side, 4);
    huge.SetEncoded(std::move(bytes), kImageBmp);
    return skin->WriteBytes(kNewestMinor);
}

class BadSkinFileTest : public SkinnedThreadTest {};

TEST_F(BadSkinFileTest, ABadFileLeavesTheSkinAndEveryWindowAsTheyWere)
{
    std::vector<uint8_t> wrongLength = PackContainer(HeaderOnlyBody(1, 16));
    wrongLength[0] ^= 1;  // announces a length the body does not decompress to
    const std::vector<uint8_t> shortHeader = PackContainer(std::vector<uint8_t>(100, 0));
    std::vector<uint8_t> badSignature = HeaderOnlyBody(1, 16);
    badSignature[0] = 'X';
    const struct {
        const char* file;
        std::vector<uint8_t> bytes;  // none: the file is missing
        int status;
    } cases[] = {
        {"missing", {}, SKIN_STATUS_FILE_NOT_OPENED},
        {"wrong body length", wrongLength, SKIN_STATUS_BODY_UNREADABLE},
        {"random body", {0x10, 0, 0, 0, 0xFF, 0xFE, 0xFD, 0x01}, SKIN_STATUS_BODY_UNREADABLE},
        {"short header", shortHeader, SKIN_STATUS_HEADER_SHORT},
        {"bad signature", PackContainer(badSignature), SKIN_STATUS_HEADER_REFUSED},
        {"version 2.0", PackContainer(HeaderOnlyBody(2, 0)), SKIN_STATUS_HEADER_REFUSED},
        {"version 1.17", PackContainer(HeaderOnlyBody(1, 17)), SKIN_STATUS_HEADER_REFUSED},
        {"too many objects", OverfullSkinBytes(), SKIN_STATUS_TOO_LARGE},
        {"too many pixels", TooManyPixels(), SKIN_STATUS_TOO_LARGE},
        {"nothing the engine draws", PackContainer(HeaderOnlyBody(1, 16)), SKIN_STATUS_NOTHING_TO_DRAW},
    };
    TestDialog dialog;
    const HWND button = dialog.AddControl("Button", BS_PUSHBUTTON);
    const SkinObject* dialogObject = Skinned(dialog.Handle())->Object();
    const SkinObject* buttonObject = Skinned(button)->Object();
    const Skin* current = &Engine().manager.CurrentSkin();
    for (const auto& bad : cases) {
        TempSkinFile file("bad");
        if (!bad.bytes.empty())
            file.WriteBytes(bad.bytes);
        EXPECT_EQ(0, LoadSkinFile(file.Path())) << bad.file;
        EXPECT_EQ(bad.status, GetSkinStatus()) << bad.file;
        EXPECT_EQ(current, &Engine().manager.CurrentSkin()) << bad.file;
        EXPECT_EQ(dialogObject, Skinned(dialog.Handle())->Object()) << bad.file;
        EXPECT_EQ(buttonObject, Skinned(button)->Object()) << bad.file;
    }
    EXPECT_NE(0, LoadTestSkin(*MakeFullSkin()));
    EXPECT_EQ(SKIN_STATUS_OK, GetSkinStatus());
}

}  // namespace
