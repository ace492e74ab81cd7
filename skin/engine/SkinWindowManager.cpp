#include "skin/engine/SkinWindowManager.h"

#include "skin/core/Skin.h"
#include "skin/engine/SkinObjectQueries.h"

#include <cstring>
#include <vector>

namespace skin {

namespace {

constexpr int CLASS_NAME_CHARS = 100;  // 99 characters and the terminating zero
const char* const DIALOG_CLASS = "#32770";
const char* const CONTROL_BAR_PREFIX = "AfxControlBar";

std::string ClassNameOf(HWND hwnd)
{
    char name[CLASS_NAME_CHARS] = {};
    ::GetClassNameA(hwnd, name, CLASS_NAME_CHARS);
    return name;
}

LONG StyleOf(HWND hwnd) { return ::GetWindowLongA(hwnd, GWL_STYLE); }

// Buttons are looked up under the name their style makes of them.
const char* ButtonClassForStyle(LONG style)
{
    if ((style & 7) == 7)
        return "GroupBox";
    if ((style & 2) || (style & 3) == 3 || (style & 5) == 5)
        return "CheckBox";
    if ((style & 4) || (style & 9) == 9)
        return "Radio";
    return "Button";
}

// The list of a combo box is skinned only when it belongs to a simple combo box.
int KindOfComboList(HWND list)
{
    HWND combo = ::GetParent(list);
    if (!combo)
        return kTypeNone;
    const LONG style = StyleOf(combo);
    return ((style & 1) && (style & 3) != 3) ? kTypeListBox : kTypeNone;
}

// A tool bar that no skinned window holds is skinned on its own when it sits
// in a floating tool window, but not inside a rebar or a control bar.
bool IsStandaloneToolBarParent(HWND parent)
{
    const std::string parentClass = ClassNameOf(parent);
    return parentClass != "ReBarWindow32" && parentClass.compare(0, 13, CONTROL_BAR_PREFIX) != 0 &&
           ::GetParent(parent) && (::GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

}  // namespace

bool IsDialogWindow(HWND hwnd) { return ClassNameOf(hwnd) == DIALOG_CLASS; }

SkinWindowManager::SkinWindowManager() : m_skin(std::make_unique<Skin>()) {}

SkinWindowManager::~SkinWindowManager() = default;

void SkinWindowManager::UseKinds(const KindTable& kinds)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_classKinds.clear();
    m_factories.clear();
    for (const KindRow& row : kinds) {
        if (!row.className.empty())
            m_classKinds[row.className] = row.kind;
        m_factories[row.kind] = row.create;
    }
}

int SkinWindowManager::KindOfClass(const std::string& className) const
{
    const auto it = m_classKinds.find(className);
    return it == m_classKinds.end() ? kTypeNone : it->second;
}

std::unique_ptr<SkinnedWindow> SkinWindowManager::CreateWindowObject(int kind) const
{
    const auto it = m_factories.find(kind);
    return it == m_factories.end() ? nullptr : it->second();
}

int SkinWindowManager::KindOfWindow(HWND hwnd) const
{
    const std::string className = ClassNameOf(hwnd);
    if (className == "Button")
        return KindOfClass(ButtonClassForStyle(StyleOf(hwnd)));
    if (className == "ComboLBox")
        return KindOfComboList(hwnd);
    return KindOfClass(className);
}

void SkinWindowManager::OnWindowCreated(HWND hwnd, const char* dialogSkinName)
{
    const std::string className = ClassNameOf(hwnd);
    if (className.empty())
        return;
    if (className == DIALOG_CLASS && dialogSkinName[0]) {
        SkinDialog(hwnd, dialogSkinName);
        return;
    }
    HWND parent = ::GetParent(hwnd);
    if (!parent)
        return;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (SkinnedWindow* ancestor = FindSkinnedAncestor(parent))
        SkinControl(hwnd, *ancestor, nullptr);
    else if (className == "ToolbarWindow32" && IsStandaloneToolBarParent(parent))
        SkinStandaloneToolBar(hwnd);
}

SkinnedWindow* SkinWindowManager::Find(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto it = m_registry.find(hwnd);
    return it == m_registry.end() ? nullptr : it->second.get();
}

size_t SkinWindowManager::RegisteredCount()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_registry.size();
}

SkinnedWindow* SkinWindowManager::FindSkinnedAncestor(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (HWND window = hwnd; window; window = ::GetParent(window)) {
        SkinnedWindow* skinned = Find(window);
        if (!skinned) {
            const bool child = (StyleOf(window) & WS_CHILD) != 0;
            const bool mdiChild = (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
            if (child && !mdiChild)
                continue;
            return nullptr;
        }
        const SkinObject* object = skinned->Object();
        if (!object || object->TypeId() == kTypeFrameWnd || object->TypeId() == kTypeShapeWnd)
            return skinned;
    }
    return nullptr;
}

void SkinWindowManager::SkinDialog(HWND hwnd, const char* objectName)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (Find(hwnd))
        return;
    SkinObject* object = m_skin->FindObject(objectName);
    if (!object)
        return;
    std::unique_ptr<SkinnedWindow> created = CreateWindowObject(kTypeFrameWnd);
    if (!created)
        return;
    SkinnedWindow& dialog = *created;
    Register(hwnd, std::move(created));
    dialog.Attach(object);
    if (!dialog.Subclass(hwnd))
        Unregister(hwnd);
}

void SkinWindowManager::SkinStandaloneToolBar(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    SkinObject* object = m_skin->DefaultObject(kTypeToolBar);
    if (!object)
        return;
    std::unique_ptr<SkinnedWindow> created = CreateWindowObject(kTypeToolBar);
    if (!created)
        return;
    SkinnedWindow& toolBar = *created;
    toolBar.Attach(object);
    if (Register(hwnd, std::move(created)) && !toolBar.Subclass(hwnd))
        Unregister(hwnd);
}

void SkinWindowManager::SkinDescendants(HWND parent, SkinnedWindow& owner, SkinObject* ownerObject)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        SkinControl(child, owner, ownerObject);
}

SkinObject* SkinWindowManager::ObjectForControl(HWND control, int kind, SkinObject* ownerObject)
{
    // Link windows wear the objects of static texts.
    const int lookupKind = kind == kTypeLinkWnd ? kTypeStatic : kind;
    return m_skin->ObjectForControl(ownerObject, lookupKind, static_cast<uint32_t>(::GetDlgCtrlID(control)));
}

void SkinWindowManager::SkinControl(HWND control, SkinnedWindow& owner, SkinObject* ownerObject)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    SkinDescendants(control, owner, ownerObject);
    const int kind = KindOfWindow(control);
    if (kind == kTypeNone)
        return;
    SkinObject* object = ObjectForControl(control, kind, ownerObject);
    if (owner.Children().count(control))
        RefreshExistingChild(control, owner, object);
    else if (object)
        SkinNewChild(control, kind, owner, object);
}

void SkinWindowManager::RefreshExistingChild(HWND control, SkinnedWindow& owner, SkinObject* object)
{
    SkinnedWindow* existing = Find(control);
    if (!existing || existing->Handle() != control) {
        owner.Children().erase(control);  // stale: that window has gone or was let go
        return;
    }
    if (object) {
        existing->Attach(object);
        return;
    }
    owner.Children().erase(control);
    Unregister(control);
}

void SkinWindowManager::SkinNewChild(HWND control, int kind, SkinnedWindow& owner, SkinObject* object)
{
    std::unique_ptr<SkinnedWindow> created = CreateWindowObject(kind);
    if (!created)
        return;
    SkinnedWindow& window = *created;
    if (!Register(control, std::move(created)))
        return;
    window.Attach(object);
    window.SetOwnerWindow(owner.Handle());
    owner.Children().insert(control);
    // A control that refuses the skin (owner-drawn, or its parent asked to
    // skip it) must not stay registered: nothing would ever let it go.
    if (!window.Subclass(control))
        Unregister(control);
}

bool SkinWindowManager::Register(HWND hwnd, std::unique_ptr<SkinnedWindow> window)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_registry.emplace(hwnd, std::move(window)).second;
}

std::unique_ptr<SkinnedWindow> SkinWindowManager::Take(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto it = m_registry.find(hwnd);
    if (it == m_registry.end())
        return nullptr;
    std::unique_ptr<SkinnedWindow> window = std::move(it->second);
    m_registry.erase(it);
    return window;
}

bool SkinWindowManager::Unregister(HWND hwnd)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    std::unique_ptr<SkinnedWindow> window = Take(hwnd);
    if (!window)
        return false;
    if (SkinnedWindow* owner = window->OwnerWindow() ? Find(window->OwnerWindow()) : nullptr)
        owner->Children().erase(hwnd);
    window->Unskin();
    return true;
}

int SkinWindowManager::ApplySkin(std::unique_ptr<Skin> skin)
{
    if (!skin)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // Gathered before the skins change hands: memory that runs out here
    // leaves every window on the skin it wears.
    std::vector<HWND> handles;
    for (const auto& entry : m_registry)
        handles.push_back(entry.first);
    std::vector<HWND> unskin;
    unskin.reserve(handles.size());

    const bool updatesLocked = ::LockWindowUpdate(::GetDesktopWindow()) != FALSE;
    std::shared_ptr<Skin> previous = std::exchange(m_skin, std::move(skin));
    m_previousFonts = std::move(m_fonts);
    m_fonts.clear();
    for (HWND hwnd : handles) {
        SkinnedWindow* window = Find(hwnd);
        if (!window)
            continue;
        ::SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
        SkinObject* object = window->Object() ? m_skin->FindObject(window->Object()->Name()) : nullptr;
        if (!object)
            object = m_skin->DefaultObject(window->Kind());
        if (!object && !window->MayStayWithoutSkinObject())
            unskin.push_back(hwnd);
        else
            window->Attach(object);  // never left holding an object of the skin that goes
    }
    for (HWND hwnd : unskin)
        Unregister(hwnd);
    for (auto it = m_registry.begin(); it != m_registry.end();)
        it = it->second->Handle() == it->first ? std::next(it) : m_registry.erase(it);

    m_previousFonts.clear();
    previous.reset();
    if (updatesLocked)
        ::LockWindowUpdate(nullptr);
    return 1;
}

void SkinWindowManager::UnskinAll()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    while (!m_registry.empty())
        Unregister(m_registry.begin()->first);
    m_fonts.clear();
    m_skin = std::make_unique<Skin>();
}

std::shared_ptr<const Skin> SkinWindowManager::SharedCurrentSkin()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_skin;
}

HFONT SkinWindowManager::FontOf(const SkinObject& object, bool make)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (const auto* fonts : {&m_fonts, &m_previousFonts}) {
        const auto it = fonts->find(&object);
        if (it != fonts->end())
            return it->second.Get();
    }
    const FontRecord* record = FontRecordOf(object);
    if (!make || !record)
        return nullptr;
    LOGFONTA logFont{};
    static_assert(sizeof logFont <= sizeof *record, "a font record starts with a LOGFONTA");
    std::memcpy(&logFont, record, sizeof logFont);
    logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    CFontObject& font = m_fonts[&object];
    font.Reset(::CreateFontIndirectA(&logFont));
    return font.Get();
}

}  // namespace skin
