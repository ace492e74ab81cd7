#include "TestedFamily.h"

#include "win/GdiScope.h"
#include "skin/engine/Interception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace skin;

namespace {

using GetSysColorFn = decltype(&GetSysColor);
using GetSysColorBrushFn = decltype(&GetSysColorBrush);
using GetScrollPosFn = decltype(&GetScrollPos);

struct IndexRow {
    int index;
    int entry;  // the table entry that answers it
};

const IndexRow kIndexRows[] = {{0, 0}, {5, 5}, {30, 30}, {31, 0}, {-1, 0}, {1000, 0}};

COLORREF TableColour(int entry) { return RGB(entry + 1, 0x5A, 0xA5); }

class StandInColourTable : public SysColourProvider {
public:
    StandInColourTable()
    {
        for (int i = 0; i < kColourCount; ++i)
            m_brushes[i] = CBrushObject(CreateSolidBrush(TableColour(i)));
    }
    bool SysColour(int index, COLORREF& colour) override
    {
        colour = TableColour(index);
        return true;
    }
    bool SysColourBrush(int index, HBRUSH& brush) override
    {
        brush = m_brushes[index].Get();
        return true;
    }
    HBRUSH Brush(int entry) const { return m_brushes[entry].Get(); }

private:
    CBrushObject m_brushes[kColourCount];
};

// The compiler takes an import entry for a constant and may read it once for
// a whole function. Each read of an entry that the interception changes is
// therefore made in a function of its own, called after the change.
[[gnu::noinline]] void* LookUp(HMODULE module, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(module, name));
}

template <typename Function>
Function Exported(const char* module, const char* name)
{
    return reinterpret_cast<Function>(LookUp(GetModuleHandleA(module), name));
}

// A library that calls the functions through its own imports, loaded by name
// (so through LoadLibraryA) when the test asks for it.
class LateModule {
public:
    [[gnu::noinline]] LateModule()
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::strcpy(std::strrchr(path, '\\') + 1, "intercept_late_module.dll");
        m_module = LoadLibraryA(path);
    }
    ~LateModule() { FreeLibrary(m_module); }
    LateModule(const LateModule&) = delete;
    LateModule& operator=(const LateModule&) = delete;

    template <typename Function>
    Function Get(const char* name) const
    {
        return reinterpret_cast<Function>(LookUp(m_module, name));
    }

private:
    HMODULE m_module;
};

// The ways a program reaches the system-colour functions.
struct ColourRoute {
    const char* name;
    GetSysColorFn colour;
    GetSysColorBrushFn brush;
};

[[gnu::noinline]] std::vector<ColourRoute> ColourRoutes(const LateModule& late)
{
    return {
        {"own imports", &GetSysColor, &GetSysColorBrush},
        {"look-up by name", Exported<GetSysColorFn>("user32.dll", "GetSysColor"),
         Exported<GetSysColorBrushFn>("user32.dll", "GetSysColorBrush")},
        {"library loaded later", late.Get<GetSysColorFn>("LateGetSysColor"),
         late.Get<GetSysColorBrushFn>("LateGetSysColorBrush")},
    };
}

struct SystemAnswer {
    COLORREF colour;
    HBRUSH brush;
};

std::vector<SystemAnswer> SystemAnswers()
{
    std::vector<SystemAnswer> answers;
    for (const IndexRow& row : kIndexRows)
        answers.push_back({GetSysColor(row.index), GetSysColorBrush(row.index)});
    return answers;
}

void ExpectSystemAnswers(const std::vector<ColourRoute>& routes, const std::vector<SystemAnswer>& system)
{
    for (const ColourRoute& route : routes)
        for (size_t i = 0; i < std::size(kIndexRows); ++i) {
            SCOPED_TRACE(std::string(route.name) + ", index " + std::to_string(kIndexRows[i].index));
            EXPECT_EQ(route.colour(kIndexRows[i].index), system[i].colour);
            EXPECT_EQ(route.brush(kIndexRows[i].index), system[i].brush);
        }
}

std::vector<uint8_t> FirstBytes(InterceptedFunction function)
{
    auto* entry = static_cast<const uint8_t*>(SystemEntry(function));
    return {entry, entry + 8};
}

class InterceptionTest : public testing::Test {
protected:
    void TearDown() override
    {
        RemoveInterception();
        SetSysColourProvider(nullptr);
        SetScrollBarRouting(nullptr);
    }
    // How the tested family is intercepted: code patching on XP, import
    // redirection on 98, nothing on Wine's default (newer) version.
    static InterceptionMethod ExpectedMethod()
    {
        switch (TestedFamily()) {
        case kOsWindowsXp:
            return InterceptionMethod::kCodePatching;
        case kOsWindows98:
            return InterceptionMethod::kImportRedirection;
        default:
            return InterceptionMethod::kNone;
        }
    }
    static bool Intercepting() { return ExpectedMethod() != InterceptionMethod::kNone; }

    const std::vector<SystemAnswer> m_system = SystemAnswers();
    StandInColourTable m_table;
};

TEST_F(InterceptionTest, SystemColoursComeFromTheTableOnEveryRoute)
{
    ASSERT_TRUE(InstallInterception(TestedFamily()));
    SetSysColourProvider(&m_table);
    LateModule late;
    std::vector<ColourRoute> routes = ColourRoutes(late);
    for (const ColourRoute& route : routes)
        for (size_t i = 0; i < std::size(kIndexRows); ++i) {
            const IndexRow& row = kIndexRows[i];
            SCOPED_TRACE(std::string(route.name) + ", index " + std::to_string(row.index));
            EXPECT_EQ(route.colour(row.index), Intercepting() ? TableColour(row.entry) : m_system[i].colour);
            EXPECT_EQ(route.brush(row.index), Intercepting() ? m_table.Brush(row.entry) : m_system[i].brush);
            EXPECT_EQ(SystemFunction<GetSysColorFn>(InterceptedFunction::kGetSysColor)(row.index),
                      m_system[i].colour);
        }

    SetSysColourProvider(nullptr);
    ExpectSystemAnswers(routes, m_system);
}

TEST_F(InterceptionTest, RemovingRestoresTheSystemExactly)
{
    std::vector<std::vector<uint8_t>> entries;
    for (int f = 0; f < int(InterceptedFunction::kCount); ++f)
        entries.push_back(FirstBytes(InterceptedFunction(f)));
    auto lookedUp = Exported<void*>("user32.dll", "GetSysColor");

    ASSERT_TRUE(InstallInterception(TestedFamily()));
    SetSysColourProvider(&m_table);
    LateModule late;  // stays loaded across the removal
    EXPECT_EQ(InstalledInterception(), ExpectedMethod());
    bool patchesCode = ExpectedMethod() == InterceptionMethod::kCodePatching;
    EXPECT_EQ(FirstBytes(InterceptedFunction::kGetSysColor) != entries[0], patchesCode);
    bool redirectsImports = ExpectedMethod() == InterceptionMethod::kImportRedirection;
    EXPECT_EQ(Exported<void*>("user32.dll", "GetSysColor") != lookedUp, redirectsImports);

    RemoveInterception();
    for (int f = 0; f < int(InterceptedFunction::kCount); ++f)
        EXPECT_EQ(FirstBytes(InterceptedFunction(f)), entries[f]) << "function " << f;
    EXPECT_EQ(Exported<void*>("user32.dll", "GetSysColor"), lookedUp);
    ExpectSystemAnswers(ColourRoutes(late), m_system);
}

constexpr int kRoutedAnswer = 4242;

class StandInScrollState : public ScrollBarRouting {
public:
    BOOL EnableScrollBar(HWND window, UINT, UINT) override { return Record("EnableScrollBar", window); }
    BOOL GetScrollInfo(HWND window, int, SCROLLINFO*) override { return Record("GetScrollInfo", window); }
    int GetScrollPos(HWND window, int) override { return Record("GetScrollPos", window); }
    BOOL GetScrollRange(HWND window, int, int*, int*) override { return Record("GetScrollRange", window); }
    int SetScrollInfo(HWND window, int, const SCROLLINFO*, BOOL) override { return Record("SetScrollInfo", window); }
    int SetScrollPos(HWND window, int, int, BOOL) override { return Record("SetScrollPos", window); }
    BOOL SetScrollRange(HWND window, int, int, int, BOOL) override { return Record("SetScrollRange", window); }
    BOOL ShowScrollBar(HWND window, int, BOOL) override { return Record("ShowScrollBar", window); }

    std::vector<std::string> calls;
    std::vector<HWND> windows;

private:
    int Record(const char* call, HWND window)
    {
        calls.push_back(call);
        windows.push_back(window);
        return kRoutedAnswer;
    }
};

struct ScrollCall {
    const char* name;
    int (*call)(HWND);
};

const ScrollCall kScrollCalls[] = {
    {"SetScrollRange", [](HWND w) { return int(SetScrollRange(w, SB_VERT, 0, 100, FALSE)); }},
    {"SetScrollPos", [](HWND w) { return SetScrollPos(w, SB_VERT, 37, FALSE); }},
    {"SetScrollInfo",
     [](HWND w) {
         SCROLLINFO info = {sizeof info, SIF_PAGE, 0, 0, 10, 0, 0};
         return SetScrollInfo(w, SB_VERT, &info, FALSE);
     }},
    {"GetScrollInfo",
     [](HWND w) {
         SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
         return int(GetScrollInfo(w, SB_VERT, &info));
     }},
    {"GetScrollPos", [](HWND w) { return GetScrollPos(w, SB_VERT); }},
    {"GetScrollRange",
     [](HWND w) {
         int minimum = 0, maximum = 0;
         return int(GetScrollRange(w, SB_VERT, &minimum, &maximum));
     }},
    {"EnableScrollBar", [](HWND w) { return int(EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH)); }},
    {"ShowScrollBar", [](HWND w) { return int(ShowScrollBar(w, SB_VERT, TRUE)); }},
};

[[gnu::noinline]] int ScrollPos(HWND window) { return GetScrollPos(window, SB_VERT); }

[[gnu::noinline]] int MoveThenReadScrollPos(HWND window, int position)
{
    SetScrollPos(window, SB_VERT, position, FALSE);
    return GetScrollPos(window, SB_VERT);
}

void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
using OwnedWindow = COwnedHandle<HWND, &DestroyWindowHandle>;

OwnedWindow ScrollingWindow()
{
    return OwnedWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, 100, 100, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
}

TEST_F(InterceptionTest, ScrollBarCallsForMarkedWindowsReachTheSkinnedState)
{
    ASSERT_TRUE(InstallInterception(TestedFamily()));
    StandInScrollState state;
    SetScrollBarRouting(&state);
    OwnedWindow marked = ScrollingWindow();
    OwnedWindow plain = ScrollingWindow();
    ASSERT_TRUE(marked && plain);
    SetPropA(marked.Get(), kSkinnedScrollBarProperty, reinterpret_cast<HANDLE>(1));
    LateModule late;

    std::vector<std::string> expected;
    for (const ScrollCall& call : kScrollCalls) {
        SCOPED_TRACE(call.name);
        EXPECT_NE(call.call(plain.Get()), kRoutedAnswer);
        EXPECT_EQ(call.call(marked.Get()) == kRoutedAnswer, Intercepting());
        if (Intercepting())
            expected.push_back(call.name);
    }
    EXPECT_EQ(state.calls, expected);
    EXPECT_EQ(state.windows, std::vector<HWND>(expected.size(), marked.Get()));

    EXPECT_EQ(ScrollPos(plain.Get()), 37);  // the system served the plain window
    auto lateGetScrollPos = late.Get<GetScrollPosFn>("LateGetScrollPos");
    EXPECT_EQ(lateGetScrollPos(marked.Get(), SB_VERT) == kRoutedAnswer, Intercepting());

    RemoveInterception();
    state.calls.clear();
    EXPECT_EQ(MoveThenReadScrollPos(marked.Get(), 12), 12);
    EXPECT_TRUE(state.calls.empty());
    RemovePropA(marked.Get(), kSkinnedScrollBarProperty);
}

}  // namespace
