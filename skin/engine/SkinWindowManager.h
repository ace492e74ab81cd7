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

    // Takes the table of kinds: which classes are skinned and who makes their objects.
    void UseKinds(const KindTable& kinds);

    // Control kind of a window after the class and style rules; 0 when not skinnable.
    int KindOfWindow(HWND hwnd) const;
    // Kind of a class name; 0 when the table does not know it.
    int KindOfClass(const std::string& className) const;

    SkinnedWindow* Find(HWND hwnd);
    SkinnedWindow* FindSkinnedAncestor(HWND hwnd);
    size_t RegisteredCount();

    void SkinDialog(HWND hwnd, const char* objectName);
    void SkinStandaloneToolBar(HWND hwnd);
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
    // The font made from a control object's "FONT", alive as long as its
    // skin; null for other objects, and for fonts not made yet unless `make`.
    HFONT FontOf(const SkinObject& object, bool make = true);

private:
    // Finds the control's object, by identifier under `ownerObject` first.
    SkinObject* ObjectForControl(HWND control, int kind, SkinObject* ownerObject);
    void RefreshExistingChild(HWND control, SkinnedWindow& owner, SkinObject* object);
    void SkinNewChild(HWND control, int kind, SkinnedWindow& owner, SkinObject* object);
    std::unique_ptr<SkinnedWindow> Take(HWND hwnd);
    // The object for a window of `kind`; null for kinds the engine leaves alone.
    std::unique_ptr<SkinnedWindow> CreateWindowObject(int kind) const;

    std::map<std::string, int> m_classKinds;
    std::map<int, KindFactory> m_factories;
    std::recursive_mutex m_lock;
    std::map<HWND, std::unique_ptr<SkinnedWindow>> m_registry;
    std::shared_ptr<Skin> m_skin;
    std::map<const SkinObject*, CFontObject> m_fonts;          // of the current skin's objects
    std::map<const SkinObject*, CFontObject> m_previousFonts;  // of the skin being replaced
};

}  // namespace skin
