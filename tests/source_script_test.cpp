#include "COMMON/SourceScript.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class SourceScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_script = std::string(temp) + "vodrix_edit_test.avs";
        DeleteFileA(m_script.c_str());
    }
    void TearDown() override { DeleteFileA(m_script.c_str()); }

    std::string ScriptBytes() const
    {
        std::ifstream in(m_script, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    bool ScriptExists() const { return GetFileAttributesA(m_script.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static std::string Expected(const std::string& sourceLine)
    {
        return "LoadPlugin(\"plugin\\DirectShowSource.dll\")\r\n" + sourceLine + "\r\nreturn last";
    }

    std::string m_script;
};

}  // namespace

TEST_F(SourceScriptTest, StreamedFormatsGetConstantFrameRateInAnyCase)
{
    for (const char* source : {"D:\\in\\clip.rmvb", "D:\\in\\clip.WMV", "D:\\in\\clip.wmv",
                               "D:\\in\\archive.avi.rm", "D:\\in\\clip.Asf", "D:\\in\\clip.ram"}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(1, bWriteSourceScript(m_script.c_str(), source));
        EXPECT_EQ(Expected(std::string("DirectShowSource(\"") + source +
                           "\", fps=23.976, convertfps=true )"),
                  ScriptBytes());
    }
}

TEST_F(SourceScriptTest, Mp4KeepsItsFrameTiming)
{
    EXPECT_EQ(1, bWriteSourceScript(m_script.c_str(), "D:\\in\\clip.mp4"));
    EXPECT_EQ(Expected("DirectShowSource(\"D:\\in\\clip.mp4\", fps=23.976, convertfps=false )"),
              ScriptBytes());
}

TEST_F(SourceScriptTest, DirectlyReadFormatsWriteNoScript)
{
    for (const char* source : {"D:\\in\\clip.m4v", "D:\\in\\clip.AVI", "D:\\in\\clip.flv", "D:\\in\\clip.mpeg",
                               "D:\\in\\clip.3gp", "D:\\in\\clip.h264", "D:\\in.rm\\clip.mov"}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(0, bWriteSourceScript(m_script.c_str(), source));
        EXPECT_FALSE(ScriptExists());
    }
}

TEST_F(SourceScriptTest, OtherExtensionsAndNoExtensionGetThePlainSourceLine)
{
    for (const char* source : {"D:\\in\\clip.vob", "D:\\in\\clip.dat", "D:\\in.d\\clip",
                               "D:\\my films\\\xE9t\xE9 clip.vob"}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(1, bWriteSourceScript(m_script.c_str(), source));
        EXPECT_EQ(Expected(std::string("DirectShowSource(\"") + source + "\")"), ScriptBytes());
    }
}

TEST_F(SourceScriptTest, AScriptThatCannotBeWrittenIsNoScript)
{
    EXPECT_EQ(SCRIPT_NOT_WRITTEN, bWriteSourceScript("Z:\\no\\such\\folder\\edit.avs", "D:\\in\\clip.rm"));
    // Held without sharing, as another program may hold it.
    HANDLE held = CreateFileA(m_script.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(SCRIPT_NOT_WRITTEN, bWriteSourceScript(m_script.c_str(), "D:\\in\\clip.rm"));
    CloseHandle(held);
}

TEST(FindExtensionTest, TakesTheLastDotOfTheFileNameOnly)
{
    EXPECT_STREQ(".rm", FindExtension("D:\\in\\archive.avi.rm"));
    EXPECT_STREQ("", FindExtension("D:\\in.dir\\clip"));
    EXPECT_STREQ(".", FindExtension("clip."));
    EXPECT_STREQ(".mp4", FindExtension("C:clip.mp4"));
}
