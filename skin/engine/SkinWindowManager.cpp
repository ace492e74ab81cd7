#include "skin/engine/SkinWindowManager.h"

#include "skin/core/Skin.h"
#include "skin/engine/SkinObjectQueries.h"
#include "win/RedrawPause.h"

#include <cstring>
#include <list>
#include <vector>

namespace skin {

namespace {

constexpr int CLASS_NAME_CHARS = 100;  // 99 characters and the terminating zero
const char* const DIALOG_CLASS = "#32770";

std::string ClassNameOf(HWND hwnd)
{
    char name[CLASS_NAME_CHARS] = {};
    ::GetClassNameA(hwnd, name, CLASS_NAME_CHARS);
    return name;
}

LONG StyleOf(HWND hwnd) { return ::GetWindowLongA(hwnd, GWL_STYLE); }

// The font a control object describes, with nothing after the face name's
// end, so that equal fonts of any skin are one.
LOGFONTA LogFontOf(const FontRecord& record)
{
    LOGFONTA logFont{};
    static_assert(sizeof logFont <= sizeof record, "a font record starts with a LOGFONTA");
    std::memcpy(&logFont, &record, sizeof logFont);
    const size_t faceChars = strnlen(logFont.lfFaceName, LF_FACESIZE - 1);
    std::memset(logFont.lfFaceName + faceChars, 0, LF_FACESIZE - faceChars);
    return logFont;
}

}  // namespace

bool IsDialogWindow(HWND hwnd) { return ClassNameOf(hwnd) == DIALOG_CLASS; }

SkinWindowManager::SkinWindowManager() : m_skin(std::make_unique<Skin>()) {}

SkinWindowManager::~SkinWindowManager() = default;

void SkinWindowManager::UseKinds(const KindTable& kinds)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_classRows.clear();
    m_factories.clear();
    m_dialogKind = kTypeNone;
    for (const KindRow& row : kinds) {
        if (row.className.empty())
            m_dialogKind = row.kind;
        else
            m_classRows[row.className] = row;
        m_factories[row.kind] = row.create;
    }
}

const KindRow* SkinWindowManager::RowOf(const std::string& className) const
{
    const auto it = m_classRows.find(className);
    return it == m_classRows.end() ? nullptr : &it->second;
}

std::unique_ptr<SkinnedWindow> SkinWindowManager::CreateWindowObject(int kind) const
{
    const auto it = m_factories.find(kind);
    return it == m_factories.end() ? nullptr : it->second();
}

int SkinWindowManager::KindOfWindow(HWND hwnd) const
{
    const KindRow* row = RowOf(ClassNameOf(hwnd));
    if (!row)
        return kTypeNone;
    return row->sort ? row->sort(hwnd) : row->kind;
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
    if (SkinnedWindow* ancestor = FindSkinnedAncestor(parent)) {
        SkinControl(hwnd, *ancestor, nullptr);
        return;
    }
    const KindRow* row = RowOf(className);
    if (row && row->standsAlone && row->standsAlone(hwnd))
        SkinAlone(hwnd, row->kind);
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
        if (!object || HoldsControls(*object))
            return skinned;
    }
    return nullptr;
}

void SkinWindowManager::Adopt(HWND hwnd, std::unique_ptr<SkinnedWindow> created, SkinObject* object,
                              SkinnedWindow* owner)
{
    SkinnedWindow& window = *created;
    if (!Register(hwnd, std::move(created)))
        return;
    window.Attach(object);
    if (owner) {
        window.SetOwnerWindow(owner->Handle());
        owner->Children().insert(hwnd);
    }
    // A window that refuses the skin (owner-drawn, or its parent asked to
    // skip it) must not stay registered: nothing would ever let it go. One
    // that ended on a message of its subclassing has gone already.
    if (!window.Subclass(hwnd))
        Unregister(hwnd);
}

void SkinWindowManager::SkinDialog(HWND hwnd, const char* objectName)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (Find(hwnd))
        return;
    SkinObject* object = m_skin->FindObject(objectName);
    if (!object)
        return;
    if (std::unique_ptr<SkinnedWindow> created = CreateWindowObject(m_dialogKind))
        Adopt(hwnd, std::move(created), object, nullptr);
}

void SkinWindowManager::SkinAlone(HWND hwnd, int kind)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    SkinObject* object = m_skin->DefaultObject(kind);
    if (!object)
        return;
    if (std::unique_ptr<SkinnedWindow> created = CreateWindowObject(kind))
        Adopt(hwnd, std::move(created), object, nullptr);
}

void SkinWindowManager::SkinDescendants(HWND parent, SkinnedWindow& owner, SkinObject* ownerObject)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        SkinControl(child, owner, ownerObject);
}

SkinObject* SkinWindowManager::ObjectForControl(HWND control, int objectKind, SkinObject* ownerObject)
{
    return m_skin->ObjectForControl(ownerObject, objectKind, static_cast<uint32_t>(::GetDlgCtrlID(control)));
}

void SkinWindowManager::SkinControl(HWND control, SkinnedWindow& owner, SkinObject* ownerObject)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    SkinDescendants(control, owner, ownerObject);
    const int kind = KindOfWindow(control);
    if (kind == kTypeNone)
        return;
    if (owner.Children().count(control)) {
        RefreshExistingChild(control, owner, ownerObject);
        return;
    }
    std::unique_ptr<SkinnedWindow> created = CreateWindowObject(kind);
    if (!created)
        return;
    if (SkinObject* object = ObjectForControl(control, created->ObjectKind(), ownerObject))
        Adopt(control, std::move(created), object, &owner);
}

void SkinWindowManager::RefreshExistingChild(HWND control, SkinnedWindow& owner, SkinObject* ownerObject)
{
    SkinnedWindow* existing = Find(control);
    if (!existing || existing->Handle() != control) {
        owner.Children().erase(control);  // stale: that window has gone or was let go
        return;
    }
    if (SkinObject* object = ObjectForControl(control, existing->ObjectKind(), ownerObject)) {
        existing->Attach(object);
        return;
    }
    owner.Children().erase(control);
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

SkinObject* SkinWindowManager::SuccessorOf(const SkinObject* worn, int kind) const
{
    SkinObject* named = worn ? m_skin->FindObject(worn->Name()) : nullptr;
    if (named && named->TypeId() == worn->TypeId())
        return named;
    return m_skin->DefaultObject(kind);
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
    // Each top-level window is drawn once, in the new skin, when all of it
    // has moved; windows of other programs keep drawing meanwhile.
    std::list<CRedrawPause> pauses;
    for (HWND hwnd : handles)
        if (!(StyleOf(hwnd) & WS_CHILD))
            pauses.emplace_back(hwnd);

    std::shared_ptr<Skin> previous = std::exchange(m_skin, std::move(skin));
    for (HWND hwnd : handles) {
        // Looked up after the message: a window may end on it.
        ::SendMessageA(hwnd, WM_SYSCOLORCHANGE, 0, 0);
        SkinnedWindow* window = Find(hwnd);
        if (!window)
            continue;
        SkinObject* object = SuccessorOf(window->Object(), window->Kind());
        if (!object && !window->MayStayWithoutSkinObject())
            unskin.push_back(hwnd);
        else
            window->Attach(object);  // never left holding an object of the skin that goes
    }
    for (HWND hwnd : unskin)
        Unregister(hwnd);
    for (auto it = m_registry.begin(); it != m_registry.end();)
        it = it->second->Handle() == it->first ? std::next(it) : m_registry.erase(it);
    previous.reset();
    return 1;
}

void SkinWindowManager::UnskinAll()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    while (!m_registry.empty())
        Unregister(m_registry.begin()->first);
    m_skin = std::make_unique<Skin>();
}

std::shared_ptr<const Skin> SkinWindowManager::SharedCurrentSkin()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_skin;
}

HFONT SkinWindowManager::FontOf(const SkinObject& object, bool make)
{
    const FontRecord* record = FontRecordOf(object);
    if (!record)
        return nullptr;
    const LOGFONTA logFont = LogFontOf(*record);
    const std::string key(reinterpret_cast<const char*>(&logFont), sizeof logFont);
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second.Get();
    if (!make)
        return nullptr;
    CFontObject font(::CreateFontIndirectA(&logFont));
    const HFONT made = font.Get();
    if (made)
        m_fonts.emplace(key, std::move(font));
    return made;
}

bool SkinWindowManager::IsSkinFont(HFONT font)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    for (const auto& entry : m_fonts)
        if (entry.second.Get() == font)
            return font != nullptr;
    return false;
}

}  // namespace skin
