// The base of every skin element: a named, typed object with colours, a
// placement, children and a table of keyed properties.
#pragma once

#include "skin/core/SkinRecords.h"
#include "skin/core/SkinTypes.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class RecordIo;

// One value of an object, found by its key. Properties with a key are the
// ones the format declares ("NORMAL.IMAGE"); the fields without one are
// named with a leading '@' ("@layout.TOPLEFT") so that tools can reach every
// value an object holds.
struct SkinProperty {
    PropertyKind kind;
    const char* key;          // exact spelling, odd capitals included
    const char* defaultText;  // the initial text of a text property, else ""
    void* value;              // inside the owning object
    uint32_t size;            // bytes of the value
};

class SkinObject;
using SkinObjectPtr = std::unique_ptr<SkinObject>;
using SkinObjectMap = std::map<std::string, SkinObjectPtr>;

class SkinObject {
public:
    // A plain object (ShapeWnd, Voice, ImageList).
    explicit SkinObject(int32_t typeId);
    virtual ~SkinObject();
    SkinObject(const SkinObject&) = delete;
    SkinObject& operator=(const SkinObject&) = delete;

    int32_t TypeId() const { return m_typeId; }
    std::string Name() const { return m_name; }
    void SetName(const std::string& name);

    // Reads or writes the object's record (the common record, then the
    // type's own fields) at the version of `io`.
    void Exchange(RecordIo& io);

    // Children by name. Adding keeps a child already there under that name
    // and refuses the types that cannot be children; false in both cases.
    const SkinObjectMap& Children() const { return m_children; }
    bool AddChild(SkinObjectPtr child);
    static bool CanBeChild(int32_t typeId);

    // Declared properties in declaration order, and the unkeyed fields.
    const std::vector<SkinProperty>& Properties() const { return m_properties; }
    const std::vector<SkinProperty>& Fields() const { return m_fields; }
    const SkinProperty* FindProperty(const std::string& key) const;
    const SkinProperty* FindField(const std::string& name) const;

    // Values of the common record (the name is above).
    Colour m_backColour;
    Colour m_textColour;
    Colour m_thirdColour = 255;  // meaning depends on the type
    char m_note[kTextField] = {};  // kept, not interpreted
    int32_t m_value = 0;           // kept, not interpreted
    SkinRect m_placement = {0, 0, 60, 30};
    int32_t m_autoPlace = 0;  // move a matched control to the placement

protected:
    // Declares a value. A key starting with '@' makes an unkeyed field;
    // declaring a key over a value that already has an unkeyed field takes
    // that field's place, so each value is listed once.
    void Declare(PropertyKind kind, const char* key, void* value, const char* defaultText = "");
    void DeclareFont(const char* key, FontRecord& font) { Declare(kFontProperty, key, &font); }
    void DeclareColour(const char* key, Colour& colour) { Declare(kColourProperty, key, &colour); }
    void DeclareSlice(const char* key, ImageSlice& slice) { Declare(kSliceProperty, key, &slice); }
    void DeclareGrid(const char* key, NineGridImage& grid) { Declare(kNineGridProperty, key, &grid); }
    void DeclareNumber(const char* key, int32_t& number) { Declare(kNumberProperty, key, &number); }
    void DeclareEffect(const char* key, TextEffect& effect) { Declare(kTextEffectProperty, key, &effect); }
    void DeclareRect(const char* key, SkinRect& rect) { Declare(kRectangleField, key, &rect); }
    template <size_t N>
    void DeclareText(const char* key, char (&text)[N], const char* initial = "");

    // The type's own fields, after the common record.
    virtual void ExchangeOwn(RecordIo& io);
    // The back and text colours of the common record.
    virtual void ExchangeCommonColours(RecordIo& io);

private:
    void ExchangeCommon(RecordIo& io);
    void ReadChildren(RecordIo& io);
    void WriteChildren(RecordIo& io);

    static constexpr size_t kTypicalPropertyCount = 32;
    static constexpr size_t kCommonFieldCount = 8;

    int32_t m_typeId;
    char m_name[kTextField] = {};
    SkinObjectMap m_children;
    std::vector<SkinProperty> m_properties;
    std::vector<SkinProperty> m_fields;
};

// Creates an empty object of a type that a skin file can hold; nullptr for
// the ids the reader does not create.
SkinObjectPtr CreateSkinObject(int32_t typeId);

// A list of records, each a type id and the object's record. Reading makes
// each object with `create` (nullptr: an unknown id, of which nothing is
// read) and hands it to `put`; every turn reads at least a type id, so a
// count larger than the body can hold ends with the body. A list of more
// than `most` objects, or one that passes the limits of the whole read,
// ends the reading over the limits (RecordIo::OverLimit).
void ReadObjectList(RecordIo& io, uint32_t count, uint32_t most, const std::function<SkinObjectPtr(int32_t)>& create,
                    const std::function<void(SkinObjectPtr)>& put);
void WriteObjectList(RecordIo& io, const SkinObjectMap& objects);

// Default records.
FontRecord DefaultFont();
TextEffect DefaultTextEffect();
// A default text effect whose text takes the given colour.
TextEffect DefaultTextEffect(Colour textColour);

// Copies a text into a fixed field, cut to fit and zero-padded.
void CopyText(char* field, size_t fieldSize, const std::string& text);

template <size_t N>
void SkinObject::DeclareText(const char* key, char (&text)[N], const char* initial)
{
    static_assert(N == kTextField, "text properties are 51-byte fields");
    CopyText(text, N, initial);
    Declare(kTextProperty, key, text, initial);
}

}  // namespace skin
