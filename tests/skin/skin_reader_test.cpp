// Reading skin files: the statuses of broken files, the lookups, and bodies
// whose counts and lengths promise more than they hold.
#include "SkinSamples.h"

#include "skin/core/ControlObjects.h"
#include "skin/core/PlainObjects.h"
#include "skin/core/SkinLimits.h"
#include "skin/core/SkinStream.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace skin;
using skintest::AppendUint32;
using skintest::BodyWithObjects;
using skintest::TinyObjectsBody;
using skintest::TinyPlace;

SkinObjectPtr Named(int32_t type, const std::string& name)
{
    SkinObjectPtr object = CreateSkinObject(type);
    object->SetName(name);
    return object;
}

std::vector<uint8_t> HeaderOnly(uint8_t major, uint8_t minor)
{
    const SkinHeader header = MakeHeader(major, minor, 0);
    std::vector<uint8_t> body(header.begin(), header.end());
    AppendUint32(body, 0);  // images
    AppendUint32(body, 0);  // voices
    return body;
}

struct VersionCase {
    uint8_t major;
    uint8_t minor;
    bool accepted;
};

class SkinHeaderTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(SkinHeaderTest, AcceptsVersionsOneZeroToOneSixteen)
{
    const VersionCase& version = GetParam();
    const std::vector<uint8_t> file = PackContainer(HeaderOnly(version.major, version.minor));
    Skin skin;
    EXPECT_EQ(version.accepted, skin.ReadBytes(file.data(), file.size()));
    EXPECT_EQ(version.accepted ? kSkinOk : kSkinVersionRefused, skin.Status());
}

INSTANTIATE_TEST_SUITE_P(Versions, SkinHeaderTest,
                         ::testing::Values(VersionCase{0, 16, false}, VersionCase{2, 0, false},
                                           VersionCase{1, 17, false}, VersionCase{1, 0, true},
                                           VersionCase{1, 16, true}));

TEST(SkinReaderTest, BrokenFilesGiveTheirStatus)
{
    Skin skin;
    EXPECT_FALSE(skin.ReadFile("no such folder/x-plus.smf"));
    EXPECT_EQ(kSkinFileUnreadable, skin.Status());

    std::vector<uint8_t> file = PackContainer(HeaderOnly(1, 16));
    file[0] += 1;  // one byte more announced than the body holds
    EXPECT_FALSE(skin.ReadBytes(file.data(), file.size()));
    EXPECT_EQ(kSkinBodyBroken, skin.Status());

    const std::vector<uint8_t> hugeLength = {0xFF, 0xFF, 0xFF, 0xFF, 0x11, 0x00, 0x00};
    EXPECT_FALSE(skin.ReadBytes(hugeLength.data(), hugeLength.size()));
    EXPECT_EQ(kSkinBodyBroken, skin.Status());

    file = PackContainer({});
    EXPECT_FALSE(skin.ReadBytes(file.data(), file.size()));
    EXPECT_EQ(kSkinHeaderShort, skin.Status());

    std::vector<uint8_t> body = HeaderOnly(1, 16);
    body.resize(kHeaderSize - 1);
    file = PackContainer(body);
    EXPECT_FALSE(skin.ReadBytes(file.data(), file.size()));
    EXPECT_EQ(kSkinHeaderShort, skin.Status());

    body = HeaderOnly(1, 16);
    body[18] = 'e';
    EXPECT_FALSE(skin.ReadBody(body.data(), body.size()));
    EXPECT_EQ(kSkinVersionRefused, skin.Status());
}

TEST(SkinReaderTest, LaterTopLevelNameWinsFirstChildNameStays)
{
    SkinObjectPtr first = Named(kTypeButton, "SameA");
    SkinObjectPtr second = Named(kTypeStatic, "SameB");
    second->AddChild(Named(kTypeButton, "KidA"));
    second->AddChild(Named(kTypeEdit, "KidB"));
    std::vector<uint8_t> body = BodyWithObjects(16, {first.get(), second.get()}, 2);
    skintest::ReplaceText(body, "SameB", "SameA");
    skintest::ReplaceText(body, "KidB", "KidA");

    Skin skin;
    ASSERT_TRUE(skin.ReadBody(body.data(), body.size()));
    ASSERT_EQ(1u, skin.Objects().size());
    const SkinObject* found = skin.FindObject("SameA");
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(kTypeStatic, found->TypeId());
    ASSERT_EQ(1u, found->Children().size());
    EXPECT_EQ(kTypeButton, found->Children().at("KidA")->TypeId());
}

TEST(SkinReaderTest, UnknownTypeIdsAreCountedAndReadOver)
{
    SkinObjectPtr button = Named(kTypeButton, "OK");
    const SkinHeader header = MakeHeader(1, 16, 3);
    std::vector<uint8_t> body(header.begin(), header.end());
    AppendUint32(body, kTypeMenuBar);         // never in a file: nothing of it is read
    AppendUint32(body, kTypeCaptionButton);   // only a child
    std::vector<uint8_t> rest = BodyWithObjects(16, {button.get()}, 1);
    body.insert(body.end(), rest.begin() + kHeaderSize, rest.end());

    Skin skin;
    ASSERT_TRUE(skin.ReadBody(body.data(), body.size()));
    EXPECT_EQ(2u, skin.UnknownTypes());
    ASSERT_NE(nullptr, skin.FindObject("OK"));
    EXPECT_EQ(kTypeButton, skin.FindObject("OK")->TypeId());
}

TEST(SkinLookupTest, FindsByNameTypeAndControl)
{
    Skin skin;
    SkinObjectPtr frame = Named(kTypeFrameWnd, "MainDialog");
    SkinObjectPtr ok = Named(kTypeButton, "OK");
    static_cast<ControlObject&>(*ok).m_controlId = 1;
    SkinObjectPtr cancel = Named(kTypeButton, "Cancel");
    static_cast<ControlObject&>(*cancel).m_controlId = 2;
    SkinObjectPtr nested = Named(kTypeStatic, "Inner");
    nested->AddChild(Named(kTypeStatic, "Deep"));
    cancel->AddChild(std::move(nested));
    frame->AddChild(std::move(ok));
    frame->AddChild(std::move(cancel));
    skin.AddObject(std::move(frame));
    skin.AddObject(Named(kTypeButton, "B2"));
    skin.AddObject(Named(kTypeButton, "A1"));
    skin.AddObject(Named(kTypeControlBar, "Bar"));
    skin.AddObject(Named(kTypeToolBar, "ToolBar"));
    skin.AddObject(Named(kTypeStatic, "Button"));  // the type's name on another type
    auto image = std::make_unique<SkinImage>();
    image->SetName("picture");
    skin.AddImage(std::move(image));

    const SkinObject* mainDialog = skin.FindObject("MainDialog");
    ASSERT_NE(nullptr, mainDialog);
    EXPECT_EQ("Deep", skin.FindObject("Deep")->Name());
    EXPECT_EQ(kTypeImage, skin.FindObject("picture")->TypeId());
    EXPECT_EQ(nullptr, skin.FindObject("nothing"));
    EXPECT_EQ("A1", skin.DefaultObject(kTypeButton)->Name());
    EXPECT_EQ("ToolBar", skin.DefaultObject(kTypeControlBar)->Name());
    EXPECT_EQ(nullptr, skin.DefaultObject(kTypeTab));
    EXPECT_EQ("Cancel", skin.ObjectForControl(mainDialog, kTypeButton, 2)->Name());
    EXPECT_EQ("A1", skin.ObjectForControl(mainDialog, kTypeButton, 9)->Name());
    EXPECT_EQ("picture", skin.FindImage("picture")->Name());
    EXPECT_EQ(nullptr, skin.FindImage("MainDialog"));
}

TEST(SkinLookupTest, ReplacedSysColorTableIsForgotten)
{
    Skin skin;
    skin.AddObject(Named(kTypeSysColorTable, "Colours"));
    ASSERT_NE(nullptr, skin.SysColours());
    skin.AddObject(Named(kTypeButton, "Colours"));
    EXPECT_EQ(nullptr, skin.SysColours());
}

// Counts and lengths of 2^32 - 1 with little behind them: the read ends
// with the body, keeping what it got.
class HostileCountTest : public ::testing::TestWithParam<skintest::HostileBody> {};

TEST_P(HostileCountTest, ReadingEndsWithTheBody)
{
    const std::vector<uint8_t>& body = GetParam().body;
    Skin skin;
    EXPECT_TRUE(skin.ReadBody(body.data(), body.size()));
    size_t imageBytes = 0;
    for (const auto& entry : skin.Images())
        imageBytes += static_cast<const SkinImage&>(*entry.second).Encoded().size();
    EXPECT_LE(imageBytes, body.size());
    EXPECT_LE(skin.UnknownTypes(), body.size() / 4);
}

INSTANTIATE_TEST_SUITE_P(Counts, HostileCountTest, ::testing::ValuesIn(skintest::HostileBodies()),
                         [](const ::testing::TestParamInfo<skintest::HostileBody>& info) { return info.param.name; });

TEST(SkinReaderTest, NestingDeeperThanTheLimitEndsTheRead)
{
    SkinObjectPtr root = Named(kTypeStatic, "Level0");
    SkinObject* deepest = root.get();
    for (int level = 1; level <= 40; ++level) {
        SkinObjectPtr child = Named(kTypeStatic, "Level" + std::to_string(level));
        SkinObject* next = child.get();
        deepest->AddChild(std::move(child));
        deepest = next;
    }
    SkinObjectPtr after = Named(kTypeButton, "ZAfter");  // written after the deep tree
    const std::vector<uint8_t> body = BodyWithObjects(16, {root.get(), after.get()}, 2);

    Skin skin;
    ASSERT_TRUE(skin.ReadBody(body.data(), body.size()));
    int depth = 0;
    for (const SkinObject* object = skin.FindObject("Level0"); !object->Children().empty();
         object = object->Children().begin()->second.get())
        ++depth;
    EXPECT_EQ(RecordIo::kMaxDepth, depth);
    EXPECT_EQ(nullptr, skin.FindObject("ZAfter"));
}

TEST(SkinReaderTest, TruncatedBodyKeepsDefaults)
{
    SkinObjectPtr button = Named(kTypeButton, "OK");
    skintest::FillValues(*button, 3);
    std::vector<uint8_t> body = BodyWithObjects(16, {button.get()}, 1);
    body.resize(kHeaderSize + 4 + 51 + 8);  // type id, name, back colour, half the text colour

    Skin skin;
    ASSERT_TRUE(skin.ReadBody(body.data(), body.size()));
    const SkinObject* read = skin.FindObject("OK");
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(button->m_backColour, read->m_backColour);
    const Button fresh;
    EXPECT_EQ(fresh.m_states[kButtonNormal].effect.flags,
              static_cast<const Button*>(read)->m_states[kButtonNormal].effect.flags);
    EXPECT_EQ(fresh.m_thirdColour, read->m_thirdColour);
}

// A skin at each limit of SkinLimits.h is read; one object more, or one
// byte of body more, refuses it with nothing kept.
struct LimitCase {
    const char* name;
    std::function<std::vector<uint8_t>()> body;
    bool accepted;
};

// The most menus whose properties the limit holds, and `extra` more.
std::vector<uint8_t> MenusBody(uint32_t extra)
{
    const SkinObjectPtr menu = CreateSkinObject(kTypePopupMenu);
    const uint32_t count = kMaxProperties / static_cast<uint32_t>(menu->Properties().size() + menu->Fields().size()) + extra;
    std::vector<SkinObjectPtr> menus;
    std::vector<SkinObject*> records;
    for (uint32_t i = 0; i < count; ++i) {
        menus.push_back(Named(kTypePopupMenu, "m" + std::to_string(i)));
        records.push_back(menus.back().get());
    }
    return BodyWithObjects(16, records, count);
}

// One object with zeros behind it (no images, no voices), `size` bytes in all.
std::vector<uint8_t> LongBody(size_t size)
{
    std::vector<uint8_t> body = TinyObjectsBody(1, TinyPlace::kTopLevel);
    body.resize(size);
    return body;
}

class SkinLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(SkinLimitTest, OneMoreThanALimitRefusesTheSkin)
{
    const std::vector<uint8_t> body = GetParam().body();
    Skin skin;
    const bool accepted = GetParam().accepted;
    EXPECT_EQ(accepted, skin.ReadBody(body.data(), body.size()));
    EXPECT_EQ(accepted ? kSkinOk : kSkinTooLarge, skin.Status());
    EXPECT_EQ(accepted, !skin.Objects().empty() || !skin.Images().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Limits, SkinLimitTest,
    ::testing::Values(LimitCase{"objects", [] { return TinyObjectsBody(kMaxObjects, TinyPlace::kTopLevel); }, true},
                      LimitCase{"objectsOver", [] { return TinyObjectsBody(kMaxObjects + 1, TinyPlace::kTopLevel); }, false},
                      LimitCase{"children", [] { return TinyObjectsBody(kMaxChildren, TinyPlace::kChildren); }, true},
                      LimitCase{"childrenOver", [] { return TinyObjectsBody(kMaxChildren + 1, TinyPlace::kChildren); }, false},
                      LimitCase{"images", [] { return TinyObjectsBody(kMaxImages, TinyPlace::kImages); }, true},
                      LimitCase{"imagesOver", [] { return TinyObjectsBody(kMaxImages + 1, TinyPlace::kImages); }, false},
                      LimitCase{"properties", [] { return MenusBody(0); }, true},
                      LimitCase{"propertiesOver", [] { return MenusBody(1); }, false},
                      LimitCase{"body", [] { return LongBody(kMaxBodyBytes); }, true},
                      LimitCase{"bodyOver", [] { return LongBody(kMaxBodyBytes + 1); }, false}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

}  // namespace
