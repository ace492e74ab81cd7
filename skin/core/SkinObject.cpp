#include "skin/core/SkinObject.h"

#include "skin/core/SkinLimits.h"
#include "skin/core/SkinStream.h"
#include "skin/core/SystemColours.h"

#include <algorithm>
#include <cstring>

namespace skin {

SkinObject::SkinObject(int32_t typeId)
    : m_backColour(SystemColour(kSysButtonFace)), m_textColour(SystemColour(kSysWindowText)), m_typeId(typeId)
{
    // Room for the keys of the larger types, so that declaring them does not
    // move the tables again and again.
    m_properties.reserve(kTypicalPropertyCount);
    m_fields.reserve(kCommonFieldCount);
    DeclareText("NAME", m_name);
    DeclareNumber("AUTOPLACE", m_autoPlace);
    DeclareColour("@back", m_backColour);
    DeclareColour("@text", m_textColour);
    DeclareColour("@third", m_thirdColour);
    DeclareText("@note", m_note);
    DeclareNumber("@value", m_value);
    DeclareRect("@placement", m_placement);
}

SkinObject::~SkinObject() = default;

void SkinObject::SetName(const std::string& name)
{
    CopyText(m_name, sizeof m_name, name);
}

void SkinObject::Declare(PropertyKind kind, const char* key, void* value, const char* defaultText)
{
    const SkinProperty property{kind, key, defaultText, value, KindSize(kind)};
    if (key[0] == '@') {
        m_fields.push_back(property);
        return;
    }
    m_fields.erase(std::remove_if(m_fields.begin(), m_fields.end(),
                                  [value](const SkinProperty& field) { return field.value == value; }),
                   m_fields.end());
    m_properties.push_back(property);
}

namespace {

const SkinProperty* FindIn(const std::vector<SkinProperty>& table, const std::string& key)
{
    for (const SkinProperty& property : table) {
        if (key == property.key)
            return &property;
    }
    return nullptr;
}

}  // namespace

const SkinProperty* SkinObject::FindProperty(const std::string& key) const
{
    return FindIn(m_properties, key);
}

const SkinProperty* SkinObject::FindField(const std::string& name) const
{
    return FindIn(m_fields, name);
}

bool SkinObject::CanBeChild(int32_t typeId)
{
    return typeId != kTypeFrameWnd && typeId != kTypeShapeWnd && typeId != kTypeImageList;
}

bool SkinObject::AddChild(SkinObjectPtr child)
{
    if (!CanBeChild(child->TypeId()))
        return false;
    const std::string name = child->Name();
    return m_children.emplace(name, std::move(child)).second;
}

void SkinObject::Exchange(RecordIo& io)
{
    ExchangeCommon(io);
    ExchangeOwn(io);
}

void SkinObject::ExchangeOwn(RecordIo&) {}

void SkinObject::ExchangeCommonColours(RecordIo& io)
{
    io.Field(m_backColour);
    io.Field(m_textColour);
}

void SkinObject::ExchangeCommon(RecordIo& io)
{
    io.Field(m_name);
    ExchangeCommonColours(io);
    io.Field(m_thirdColour);
    io.Field(m_note);
    io.Field(m_value);
    if (io.Minor() >= 8) {
        io.Field(m_placement);
        io.Field(m_autoPlace);
    }
    if (io.IsReading())
        ReadChildren(io);
    else
        WriteChildren(io);
}

void SkinObject::ReadChildren(RecordIo& io)
{
    uint32_t count = 0;
    io.Field(count);
    if (count == 0)
        return;
    if (!io.EnterLevel()) {
        io.Reader().Exhaust();
        return;
    }
    ReadObjectList(
        io, count, kMaxChildren,
        [](int32_t typeId) { return CanBeChild(typeId) ? CreateSkinObject(typeId) : nullptr; },
        [this](SkinObjectPtr child) {
            const std::string name = child->Name();
            m_children.emplace(name, std::move(child));  // the first child of a name stays
        });
    io.LeaveLevel();
}

void SkinObject::WriteChildren(RecordIo& io)
{
    uint32_t count = static_cast<uint32_t>(m_children.size());
    io.Field(count);
    WriteObjectList(io, m_children);
}

void ReadObjectList(RecordIo& io, uint32_t count, uint32_t most, const std::function<SkinObjectPtr(int32_t)>& create,
                    const std::function<void(SkinObjectPtr)>& put)
{
    ByteReader& reader = io.Reader();
    uint32_t made = 0;
    for (uint32_t i = 0; i < count && !reader.AtEnd(); ++i) {
        int32_t typeId = kTypeNone;
        io.Field(typeId);
        SkinObjectPtr object = create(typeId);
        if (!object) {
            io.CountUnknownType();
            continue;
        }
        // Asked before the record is read: an object over the limits is
        // the last one made, and its children are never made.
        if (made++ == most) {
            io.RefuseOverLimit();
            return;
        }
        if (!io.AdmitObject() || !io.AdmitProperties(object->Properties().size() + object->Fields().size()))
            return;
        object->Exchange(io);
        put(std::move(object));
    }
}

void WriteObjectList(RecordIo& io, const SkinObjectMap& objects)
{
    for (const auto& entry : objects) {
        int32_t typeId = entry.second->TypeId();
        io.Field(typeId);
        entry.second->Exchange(io);
    }
}

FontRecord DefaultFont()
{
    FontRecord font = {};
    font.height = -12;
    font.weight = 400;
    font.outPrecision = 3;
    font.clipPrecision = 2;
    font.quality = 1;
    CopyText(font.faceName, sizeof font.faceName, "Arial");
    return font;
}

TextEffect DefaultTextEffect()
{
    return DefaultTextEffect(SystemColour(kSysButtonText));
}

TextEffect DefaultTextEffect(Colour textColour)
{
    TextEffect effect = {};
    effect.shadowX = 1;
    effect.shadowY = 1;
    effect.textColour = Rgb(textColour) | 0xFF000000;
    effect.shadowColour = Rgb(SystemColour(kSysButtonShadow));
    effect.flags = TextEffect::kDefaultFlags;
    return effect;
}

void CopyText(char* field, size_t fieldSize, const std::string& text)
{
    const size_t length = std::min(text.size(), fieldSize - 1);
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, fieldSize - length);
}

}  // namespace skin
