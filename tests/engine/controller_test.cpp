// The media controller as the main dialog uses it.
#include "COMMON/CVodrixMediaCntl.h"
#include "COMMON/OptionTables.h"
#include "EngineTestSupport.h"
#include "support/EventLogRecorder.h"
#include "support/ModalWatcher.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class ControllerTest : public ::testing::Test {
protected:
    ScratchDir m_dir{"controller"};
    EventLogRecorder m_log;
    MainWindowWithProgress m_window;
    CVodrixMediaCntl m_control;
};

}  // namespace

TEST_F(ControllerTest, OnlyTheKnownEncoderKindIsCreated)
{
    int count = -1;
    char name[MEDIA_PATH_CHARS + 1] = "untouched";
    EXPECT_EQ(0, m_control.bCreateEncoder(1));
    EXPECT_EQ(0, m_control.bGetOptionCount(LIST_AVI_VIDEO, &count));
    EXPECT_EQ(0, m_control.bGetOptionName(LIST_AVI_VIDEO, 0, name));
    EXPECT_STREQ("untouched", name);
    MediaItem item = AviItem(R"(D:\in\clip.mov)", m_dir.File("clip"));
    EXPECT_EQ(0, m_control.bDoConvert(&item, &m_window.View()));
    EXPECT_EQ(0, m_control.bStop());

    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    EXPECT_EQ(1, m_control.bGetOptionCount(TARGET_MPEG + AUDIO_LIST_OFFSET, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(1, m_control.bGetOptionName(TARGET_MOV, 4, name));
    EXPECT_STREQ("svq1", name);
    EXPECT_EQ(1, m_control.bStop());  // no run yet: nothing to stop
    m_control.Release();
    EXPECT_EQ(0, m_control.bGetOptionCount(LIST_AVI_VIDEO, &count));
}

TEST_F(ControllerTest, FlashSourceWithOddWidthIsRefusedWithAMessage)
{
    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    EncoderScript script(m_dir, {"signal " + m_dir.File("started")});
    for (const char* source : {R"(D:\in\clip.FLV)", R"(D:\in\clip.flv)"}) {
        SCOPED_TRACE(source);
        MediaItem item = AviItem(source, m_dir.File("clip"));
        item.m_nWidth = 321;
        ModalWatcher watcher;
        EXPECT_EQ(1, m_control.bDoConvert(&item, &m_window.View()));
        const ModalReport box = watcher.Wait();
        EXPECT_TRUE(box.seen);
        EXPECT_EQ("Info", box.caption);
        EXPECT_EQ(" Destionation File Width/Height must be a multiple of 2 ! ", box.text);
        EXPECT_STREQ(m_dir.File("clip").c_str(), item.m_szOutputPath);
    }
    MediaItem oddHeight = AviItem(R"(D:\in\clip.Flv)", m_dir.File("clip"));
    oddHeight.m_nHeight = 239;
    ModalWatcher watcher;
    EXPECT_EQ(1, m_control.bDoConvert(&oddHeight, &m_window.View()));
    EXPECT_TRUE(watcher.Wait().seen);

    EXPECT_FALSE(FileExists(m_dir.File("started")));
    EXPECT_TRUE(m_log.Texts().empty());
    EXPECT_TRUE(m_window.Positions().empty());
}

TEST_F(ControllerTest, ConvertReportsTheRunsVerdict)
{
    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    MediaItem item = AviItem(R"(D:\in\clip.mov)", m_dir.File("clip"));
    {
        EncoderScript script(m_dir, {"write " + ProgressLine("30") + "\\n"});
        EXPECT_EQ(1, RunWhilePumping([&] { return m_control.bDoConvert(&item, &m_window.View()); }));
        EXPECT_EQ(m_dir.File("clip_xvid_mp3.avi"), item.m_szOutputPath);
        EXPECT_EQ(100, m_window.Position());
    }
    {
        EncoderScript script(m_dir, {"write [mp3 @ 0x1] invalid bit rate\\n"});
        strcpy(item.m_szOutputPath, m_dir.File("clip").c_str());
        EXPECT_EQ(0, RunWhilePumping([&] { return m_control.bDoConvert(&item, &m_window.View()); }));
    }
}

TEST_F(ControllerTest, MissingItemOrProgressBarIsLogged)
{
    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    MediaItem item = AviItem(R"(D:\in\clip.mov)", m_dir.File("clip"));
    EXPECT_EQ(0, m_control.bDoConvert(nullptr, &m_window.View()));
    EXPECT_EQ(0, m_control.bDoConvert(&item, nullptr));
    const std::vector<RecordedEvent> events = m_log.Events();
    ASSERT_EQ(2u, events.size());
    for (const RecordedEvent& event : events) {
        EXPECT_EQ(EVENTLOG_ERROR_TYPE, event.type);
        EXPECT_EQ(1u, event.id);
        EXPECT_EQ(R"(Module:COMMON\CVodrixMediaCntl,Line:144,pointer is NULL )", event.text);
    }
}

TEST_F(ControllerTest, ExceptionEscapingTheBuildIsCaughtByConvert)
{
    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    SendMessageA(m_window.Bar(), PBM_SETPOS, 40, 0);
    m_window.ClearPositions();
    MediaItem item = AviItem(R"(D:\in\clip.mov)", m_dir.File("clip"));
    m_log.ThrowOnNextEntries(2);  // the command's entry and the build's own failure entry
    EXPECT_EQ(0, m_control.bDoConvert(&item, &m_window.View()));
    const std::vector<std::string> texts = m_log.Texts();
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ(R"(Module:COMMON\CFfmpegEncoder,Line:366,Unable to get output video convert interface)", texts[1]);
    EXPECT_EQ(R"(Module:COMMON\CVodrixMediaCntl,Line:414,bDoConvert raise exception)", texts[2]);
    EXPECT_EQ("", texts[3]);
    EXPECT_EQ((std::vector<int>{0}), m_window.Positions());
}

TEST_F(ControllerTest, ProbeNeedsAPathAnItemAndAnEncoder)
{
    EncoderScript script(m_dir, {"signal " + m_dir.File("started"), "write Duration:30 Width:320 Height:240"});
    MediaItem item = {};
    EXPECT_EQ(0, m_control.bGetMediaFileContent(R"(D:\in\clip.mov)", &item));
    ASSERT_EQ(1, m_control.bCreateEncoder(ENCODER_FFMPEG));
    EXPECT_EQ(0, m_control.bGetMediaFileContent("", &item));
    EXPECT_EQ(0, m_control.bGetMediaFileContent(nullptr, &item));
    EXPECT_EQ(0, m_control.bGetMediaFileContent(R"(D:\in\clip.mov)", nullptr));
    EXPECT_FALSE(FileExists(m_dir.File("started")));
    const MediaItem zero = {};
    EXPECT_EQ(0, memcmp(&zero, &item, sizeof item));
}
