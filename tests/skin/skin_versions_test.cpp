// Every object type written and read back at every minor version: values a
// version holds come back, the others carry their defaults or resets.
#include "SkinSamples.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/SkinObject.h"
#include "skin/core/SystemColours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

using namespace skin;

// Groups of types that share a base.
enum Group : int32_t { kAnyType = -1, kControls = -2, kFrames = -3, kClientEdge = -4, kChecks = -5, kCombos = -6 };

bool InGroup(int32_t type, int32_t group)
{
    static const std::vector<int32_t> controls = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 23,
                                                  24, 26, 27, 28, 29, 30, 31, 33, 35, 36, 37, 40, 100};
    auto among = [type](std::initializer_list<int32_t> ids) { return std::find(ids.begin(), ids.end(), type) != ids.end(); };
    switch (group) {
    case kAnyType: return true;
    case kControls: return std::find(controls.begin(), controls.end(), type) != controls.end();
    case kFrames: return among({1, 17, 42});
    case kClientEdge: return among({7, 9, 26, 28, 29, 30});
    case kChecks: return among({5, 11});
    case kCombos: return among({6, 33});
    default: return type == group;
    }
}

// The first minor version whose files hold a value; "*" stands for any
// start or end of the key.
struct HeldFrom {
    int32_t group;
    const char* key;
    int minor;
};

const HeldFrom kThresholds[] = {
    {kAnyType, "@placement", 8},
    {kAnyType, "AUTOPLACE", 8},
    {kControls, "CONTROLID", 7},
    {kControls, "AUTOSKINFONT", 10},
    {kTypeButton, "@image", 7},
    {kFrames, "@captioneffect", 9},
    {kFrames, "@minimized.*", 13},
    {kTypeFrameWnd, "SKINCLIENT", 6},
    {kTypeFrameWnd, "MDICLIENT", 6},
    {kTypePopupMenu, "ITEM.CHECKIMAGE", 3},
    {kTypeApplication, "EMAIL", 4},
    {kTypeApplication, "HOMEPAGE", 4},
    {kTypeButton, "*.TEXTEFFECT", 9},
    {kChecks, "*.TEXTEFFECT", 9},
    {kChecks, "TRANSPARENT", 9},
    {kTypeGroupBox, "TEXTEFFECT", 9},
    {kTypeGroupBox, "TRANSPARENT", 9},
    {kTypeStatic, "TEXTEFFECT", 9},
    {kTypeStatic, "@disabledeffect", 16},
    {kCombos, "COLOR.FOCUSTEXTCOLOR", 11},
    {kCombos, "COLOR.DISABLEDBACKGROUND", 9},  // before 1.11 in the common record's colours
    {kCombos, "COLOR.DISABLEDTEXT", 9},
    {kCombos, "COLOR.BACKCOLOR", 11},
    {kCombos, "COLOR.TEXTCOLOR", 11},
    {kClientEdge, "BACKCOLOR", 11},
    {kClientEdge, "DISABLEDCOLOR", 11},
    {kClientEdge, "@text", 11},
    {kTypeSlider, "TRANSPARENT", 9},
    {kTypeSlider, "THUMB.VERTICAL", 9},
    {kTypeScrollBar, "V*", 12},
};

bool KeyMatches(const std::string& pattern, const std::string& key)
{
    if (pattern.front() == '*')
        return key.size() >= pattern.size() - 1 && key.compare(key.size() - (pattern.size() - 1), std::string::npos, pattern, 1) == 0;
    if (pattern.back() == '*')
        return key.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    return key == pattern;
}

int FirstMinorHolding(int32_t type, const std::string& key)
{
    for (const HeldFrom& rule : kThresholds) {
        if (InGroup(type, rule.group) && KeyMatches(rule.key, key))
            return rule.minor;
    }
    return 0;
}

std::vector<SkinProperty> AllValues(const SkinObject& object)
{
    std::vector<SkinProperty> values = object.Properties();
    values.insert(values.end(), object.Fields().begin(), object.Fields().end());
    return values;
}

const SkinProperty& ValueOf(const SkinObject& object, const char* key)
{
    const SkinProperty* property = key[0] == '@' ? object.FindField(key) : object.FindProperty(key);
    if (!property)
        throw std::logic_error(std::string("no value ") + key);
    return *property;
}

// What a value not held by the version reads as: its default, or what older
// files put in its place.
std::vector<uint8_t> ValueNotHeld(const SkinObject& written, const SkinObject& fresh, const std::string& key)
{
    const int32_t type = written.TypeId();
    const bool isEffect = ValueOf(fresh, key.c_str()).kind == kTextEffectProperty;
    auto bytes = [](const void* value, size_t size) {
        const uint8_t* begin = static_cast<const uint8_t*>(value);
        return std::vector<uint8_t>(begin, begin + size);
    };
    if ((type == kTypeButton || type == kTypeStatic) && isEffect && key != "@disabledeffect") {
        const auto& font = *static_cast<const FontRecord*>(ValueOf(written, "FONT").value);
        const TextEffect effect = DefaultTextEffect(font.textColour);
        return bytes(&effect, sizeof effect);
    }
    if (InGroup(type, kCombos) && (key == "COLOR.DISABLEDBACKGROUND" || key == "COLOR.DISABLEDTEXT")) {
        const Colour colour = SystemColour(key == "COLOR.DISABLEDBACKGROUND" ? kSysButtonFace : kSysButtonText);
        return bytes(&colour, sizeof colour);
    }
    const SkinProperty& initial = ValueOf(fresh, key.c_str());
    return bytes(initial.value, initial.size);
}

void ExpectVersionValues(const SkinObject& written, const SkinObject& read, int minor)
{
    ASSERT_EQ(written.TypeId(), read.TypeId()) << written.Name();
    const SkinObjectPtr fresh = CreateSkinObject(written.TypeId());
    const std::vector<SkinProperty> expected = AllValues(written);
    const std::vector<SkinProperty> actual = AllValues(read);
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string key = expected[i].key;
        const uint8_t* got = static_cast<const uint8_t*>(actual[i].value);
        const std::vector<uint8_t> want =
            minor >= FirstMinorHolding(written.TypeId(), key)
                ? std::vector<uint8_t>(static_cast<const uint8_t*>(expected[i].value),
                                       static_cast<const uint8_t*>(expected[i].value) + expected[i].size)
                : ValueNotHeld(written, *fresh, key);
        EXPECT_EQ(want, std::vector<uint8_t>(got, got + actual[i].size)) << written.Name() << " " << key;
    }
    if (written.TypeId() == kTypeImage) {
        // An image's bytes and format are the same in every version.
        const auto& image = static_cast<const SkinImage&>(written);
        EXPECT_TRUE(image.Encoded() == static_cast<const SkinImage&>(read).Encoded()) << written.Name();
        EXPECT_EQ(image.Format(), static_cast<const SkinImage&>(read).Format()) << written.Name();
    }
    ASSERT_EQ(written.Children().size(), read.Children().size()) << written.Name();
    for (auto w = written.Children().begin(), r = read.Children().begin(); w != written.Children().end(); ++w, ++r)
        ExpectVersionValues(*w->second, *r->second, minor);
}

class SkinVersionTest : public ::testing::TestWithParam<int> {};

TEST_P(SkinVersionTest, ValuesRoundTripOrTakeTheirDefaults)
{
    const uint8_t minor = static_cast<uint8_t>(GetParam());
    const auto sample = skintest::MakeSampleSkin();
    const std::vector<uint8_t> file = sample->WriteBytes(minor);

    Skin read;
    ASSERT_TRUE(read.ReadBytes(file.data(), file.size()));
    EXPECT_EQ(kSkinOk, read.Status());
    EXPECT_EQ(minor, read.Minor());
    EXPECT_EQ(0u, read.UnknownTypes());
    ASSERT_EQ(sample->Objects().size(), read.Objects().size());
    for (auto w = sample->Objects().begin(), r = read.Objects().begin(); w != sample->Objects().end(); ++w, ++r)
        ExpectVersionValues(*w->second, *r->second, minor);
    for (const auto& table : {&Skin::Images, &Skin::Voices}) {
        const SkinObjectMap& written = ((*sample).*table)();
        const SkinObjectMap& got = (read.*table)();
        ASSERT_EQ(written.size(), got.size());
        for (auto w = written.begin(), r = got.begin(); w != written.end(); ++w, ++r)
            ExpectVersionValues(*w->second, *r->second, minor);
    }
    EXPECT_NE(nullptr, read.SysColours());
}

INSTANTIATE_TEST_SUITE_P(EveryMinorVersion, SkinVersionTest, ::testing::Range(0, 17));

}  // namespace
