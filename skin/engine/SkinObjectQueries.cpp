#include "skin/engine/SkinObjectQueries.h"

#include "skin/core/ControlObjects.h"
#include "skin/draw/SkinLook.h"

namespace skin {

namespace {

const ControlObject* AsControl(const SkinObject& object) { return ObjectAs<ControlObject>(&object); }

}  // namespace

SkinObject* FindChildForControl(const SkinObject& owner, int kind, int controlId)
{
    for (const auto& entry : owner.Children()) {
        const ControlObject* control = AsControl(*entry.second);
        if (control && control->TypeId() == kind && control->m_controlId == static_cast<uint32_t>(controlId))
            return entry.second.get();
    }
    return nullptr;
}

bool AutoSkinFont(const SkinObject& object)
{
    const ControlObject* control = AsControl(object);
    return control && control->m_autoSkinFont != 0;
}

bool AutoPlace(const SkinObject& object) { return object.m_autoPlace != 0; }

const SkinRect& Placement(const SkinObject& object) { return object.m_placement; }

const FontRecord* FontRecordOf(const SkinObject& object)
{
    const ControlObject* control = AsControl(object);
    return control ? &control->m_font : nullptr;
}

bool HoldsControls(const SkinObject& object)
{
    return object.TypeId() == kTypeFrameWnd || object.TypeId() == kTypeShapeWnd;
}

}  // namespace skin
