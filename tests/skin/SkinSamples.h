// Skins for the tests: every object type with a distinct value in every
// property and field, and a way to compare two skins value by value.
#pragma once

#include "skin/core/Skin.h"

#include <memory>
#include <string>
#include <vector>

namespace skintest {

// The type ids a skin file can hold at the top level.
std::vector<int32_t> TopLevelTypes();

// One object of every top-level type (Image and Voice included), named
// after its type; the FrameWnd has a CaptionButton, a CaptionStatic, an
// Image and a Voice child. Two images and two voices in the tables, one of
// each with values of its own and a child. Every value of an object differs
// from its default.
std::unique_ptr<skin::Skin> MakeSampleSkin();

// Gives every property and field (but the name) a value made from `seed`
// that differs from the object's defaults.
void FillValues(skin::SkinObject& object, int seed);

// The first difference between two objects and their subtrees ("" when
// there is none): types, names, every property and field, children.
std::string FirstDifference(const skin::SkinObject& expected, const skin::SkinObject& actual);
// The same over whole skins: objects, images (bytes and format), voices.
std::string FirstDifference(const skin::Skin& expected, const skin::Skin& actual);

// Bodies whose counts or lengths are 2^32 - 1 with little behind them.
struct HostileBody {
    std::string name;
    std::vector<uint8_t> body;
};
std::vector<HostileBody> HostileBodies();

// Where TinyObjectsBody puts its objects.
enum class TinyPlace { kTopLevel, kChildren, kImages };
// A body of `count` of the smallest objects a file can hold (common records
// of version 1.0, each named apart): top-level shapes, voices as the
// children of one shape, or empty images.
std::vector<uint8_t> TinyObjectsBody(uint32_t count, TinyPlace place);

// A body (header and records) or a whole file, put together by hand.
std::vector<uint8_t> BodyWithObjects(uint8_t minor, const std::vector<skin::SkinObject*>& objects,
                                     uint32_t announcedCount);
void AppendUint32(std::vector<uint8_t>& bytes, uint32_t value);
// Replaces every occurrence of a text of the same length.
void ReplaceText(std::vector<uint8_t>& bytes, const std::string& from, const std::string& to);

}  // namespace skintest
