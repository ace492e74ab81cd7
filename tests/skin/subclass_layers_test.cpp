// The program's own control classes and the engine both subclass a control:
// messages must flow through both layers in every order of attaching and
// removing them.
#include "TestSkins.h"

#include "framework/Window.h"
#include "skin/engine/EngineState.h"
#include "skin/SkinEngine.h"

#include <vector>

using namespace skin;

namespace {

// A control class of the program's kind: sees a message first and passes it on.
class CountingControl : public CWindowBase {
public:
    int m_nSeen = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == EM_GETLIMITTEXT)
            ++m_nSeen;
        return CWindowBase::WindowProc(msg, wp, lp);
    }
};

enum class Step { EngineOn, OursOn, EngineOff, OursOff };

const char* StepName(Step step)
{
    switch (step) {
    case Step::EngineOn: return "engine on";
    case Step::OursOn: return "ours on";
    case Step::EngineOff: return "engine off";
    case Step::OursOff: return "ours off";
    }
    return "";
}

class SubclassLayersTest : public SkinnedThreadTest {};

TEST_F(SubclassLayersTest, MessagesReachTheControlThroughBothLayersInEveryOrder)
{
    const std::vector<std::vector<Step>> orders = {
        {Step::EngineOn, Step::OursOn, Step::OursOff, Step::EngineOff},
        {Step::EngineOn, Step::OursOn, Step::EngineOff, Step::OursOff},
        {Step::OursOn, Step::EngineOn, Step::EngineOff, Step::OursOff},
        {Step::OursOn, Step::EngineOn, Step::OursOff, Step::EngineOff},
        {Step::EngineOn, Step::OursOn, Step::EngineOff, Step::EngineOn, Step::OursOff, Step::EngineOff},
    };
    for (const auto& order : orders) {
        // A dialog the hooks leave alone, so that each layer comes exactly when the step says.
        ASSERT_EQ(1, ClearDialogSkin());
        TestDialog dialog;
        HWND edit = dialog.AddControl("Edit", WS_BORDER, 1);
        ASSERT_EQ(nullptr, Skinned(edit));
        CountingControl ours;
        bool engineOn = false;
        bool oursOn = false;
        std::string trace;
        for (Step step : order) {
            trace += std::string(StepName(step)) + "; ";
            SCOPED_TRACE(trace);
            switch (step) {
            case Step::EngineOn:
                if (Skinned(dialog.Handle()))
                    Engine().manager.SkinDescendants(dialog.Handle(), *Skinned(dialog.Handle()), nullptr);
                else
                    Engine().manager.SkinDialog(dialog.Handle(), TEST_DIALOG_SKIN);
                engineOn = true;
                break;
            case Step::OursOn: ASSERT_TRUE(ours.SubclassWindow(edit)); oursOn = true; break;
            case Step::EngineOff: EXPECT_TRUE(Engine().manager.Unregister(edit)); engineOn = false; break;
            case Step::OursOff: ours.UnsubclassWindow(); oursOn = false; break;
            }
            EXPECT_EQ(engineOn, Skinned(edit) != nullptr);
            // Only the edit control's own procedure knows its limit.
            const int limit = 100 + static_cast<int>(trace.size());
            SendMessageA(edit, EM_LIMITTEXT, limit, 0);
            const int seenBefore = ours.m_nSeen;
            EXPECT_EQ(limit, SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
            EXPECT_EQ(oursOn ? seenBefore + 1 : seenBefore, ours.m_nSeen);
        }
        DestroyWindow(edit);
        EXPECT_EQ(nullptr, Skinned(edit));
        EXPECT_EQ(nullptr, ours.GetSafeHwnd());
    }
}

// A parent that asks the engine to leave its controls alone.
WNDPROC g_parentProc = nullptr;
LRESULT CALLBACK SkipEveryControl(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == SKINMSG_QUERY_SKIP)
        return 1;
    return CallWindowProcA(g_parentProc, hwnd, msg, wp, lp);
}

TEST_F(SubclassLayersTest, AParentThatAnswersTheSkipQueryKeepsItsControlsUnskinned)
{
    TestDialog dialog;
    g_parentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkipEveryControl)));
    HWND button = dialog.AddControl("Button", BS_PUSHBUTTON);
    EXPECT_EQ(nullptr, Skinned(button));
    EXPECT_EQ(nullptr, SkinnedWindow::FromHandle(button));
    EXPECT_TRUE(Skinned(dialog.Handle())->Children().empty());
    SetWindowLongPtrA(dialog.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_parentProc));
}

}  // namespace
