// The registry of skinned windows: decides which windows are skinned and
// with which skin object, owns their objects and the current skin.
#pragma once

#include "skin/engine/KindTable.h"
#include "skin/engine/SkinnedWindow.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace skin {

class Skin;

// True for a window of the system's dialog class.
bool IsDialogWindow(HWND hwnd);

class SkinWindowManager {
public:
    SkinWindowManager();
    ~SkinWindowManager();

    // What the call-window-procedure hook does with a window at its WM_CREATE.
    void OnWindowCreated(HWND hwnd, const char* dialogSkinName);

    // Takes the table of kinds: which classes are skinned, as which kind,
    // and who makes their objects.
    void UseKinds(const KindTable& kinds);

    // Control kind of a window after the kind table's rules; 0 when not skinnable.
    int KindOfWindow(HWND hwnd) const;

    SkinnedWindow* Find(HWND hwnd);
    SkinnedWindow* FindSkinnedAncestor(HWND hwnd);
    size_t RegisteredCount();

    void SkinDialog(HWND hwnd, const char* objectName);
    // Skins `control` under the top-level skinned window `owner` that wears `ownerObject`.
    void SkinControl(HWND control, SkinnedWindow& owner, SkinObject* ownerObject);
    void SkinDescendants(HWND parent, SkinnedWindow& owner, SkinObject* ownerObject);

    // Takes `window` into the registry; false (and `window` destroyed) when
    // the handle is registered already.
    bool Register(HWND hwnd, std::unique_ptr<SkinnedWindow> window);
    // Unskins and forgets a window; false when it was not registered.
    bool Unregister(HWND hwnd);

    // Makes `skin` current and moves every registered window to it. 0 for a missing skin.
    int ApplySkin(std::unique_ptr<Skin> skin);
    // Unskins every window and starts over with an empty skin.
    void UnskinAll();

    Skin& CurrentSkin() { return *m_skin; }
    // The current skin, shared with what must outlive a switch (an open menu).
    std::shared_ptr<const Skin> SharedCurrentSkin();
    // The font made from a control object's "FONT"; null for other objects,
    // and for fonts not made yet unless `make`. A font, once made, lives as
    // long as the engine: a window may hold it long after its skin has gone
    // (a message that hands it over may still be on its way).
    HFONT FontOf(const SkinObject& object, bool make = true);
    // Whether `font` is one the engine made from a skin.
    bool IsSkinFont(HFONT font);

private:
    const KindRow* RowOf(const std::string& className) const;
    // Registers, attaches and subclasses the new object of a window; under
    // `owner` when it is a control.
    void Adopt(HWND hwnd, std::unique_ptr<SkinnedWindow> created, SkinObject* object, SkinnedWindow* owner);
    // Skins a window that no skinned window holds with the default object of `kind`.
    void SkinAlone(HWND hwnd, int kind);
    // The control's object of `objectKind`, by identifier under `ownerObject` first.
    SkinObject* ObjectForControl(HWND control, int objectKind, SkinObject* ownerObject);
    void RefreshExistingChild(HWND control, SkinnedWindow& owner, SkinObject* ownerObject);
    // The object of the new skin for a window that wears `worn` of the skin
    // that goes: the one of the same name and type, else the default of the
    // window's kind.
    SkinObject* SuccessorOf(const SkinObject* worn, int kind) const;
    std::unique_ptr<SkinnedWindow> Take(HWND hwnd);
    // The object for a window of `kind`; null for kinds the engine leaves alone.
    std::unique_ptr<SkinnedWindow> CreateWindowObject(int kind) const;

    std::map<std::string, KindRow> m_classRows;
    std::map<int, KindFactory> m_factories;
    int m_dialogKind = 0;
    std::recursive_mutex m_lock;
    std::map<HWND, std::unique_ptr<SkinnedWindow>> m_registry;
    std::shared_ptr<Skin> m_skin;
    std::map<std::string, CFontObject> m_fonts;  // by the bytes of their LOGFONTA
};

}  // namespace skin
