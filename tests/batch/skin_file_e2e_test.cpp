// The program with a skin file beside it that cannot be used: it starts,
// converts and ends with the system's look.
#include "ProgramFixture.h"

#include "res/resource.h"
#include "skin/core/Skin.h"

#include <cstdio>
#include <string>

namespace {

// A copy of the program and its encoder in a folder of its own, with a
// broken "x-plus.smf" (or none) beside it. The bundled FFmpeg stays behind, so
// that these runs take the encoder's other way, through the host's FFmpeg.
class ProgramWithBrokenSkin : public ConverterProgram, public ::testing::WithParamInterface<const char*> {
protected:
    std::string ProgramPath() const override { return m_strFolder + "/VodrixVideoConverter.exe"; }

    void SetUp() override
    {
        m_strFolder = CopyOfProgram(std::string("skin_file_") + GetParam());
        WriteSkinFile(GetParam());
        ConverterProgram::SetUp();
    }

private:
    void WriteSkinFile(const std::string& kind)
    {
        const std::string skinFile = m_strFolder + "/x-plus.smf";
        if (kind == "random") {
            HostShell("head -c 65536 /dev/urandom > '" + skinFile + "'");
            return;
        }
        if (kind != "truncated")
            return;
        skin::Skin whole;
        std::vector<uint8_t> bytes = whole.WriteBytes(skin::kNewestMinor);
        bytes.resize(bytes.size() / 2);
        FILE* file = std::fopen(WindowsPathOfHost(skinFile).c_str(), "wb");
        ASSERT_TRUE(file != nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::string m_strFolder;
};

TEST_P(ProgramWithBrokenSkin, StartsConvertsAndEnds)
{
    AddClips({"a.avi"});
    ChooseFamily(IDC_TO_AVI);
    EXPECT_EQ(std::vector<int>{100}, ConvertExpecting(" Media file has been generated."));
    EXPECT_TRUE(FileExists(Output("\\a_xvid_mp3.avi")));
}

INSTANTIATE_TEST_SUITE_P(SkinFiles, ProgramWithBrokenSkin, ::testing::Values("missing", "truncated", "random"));

}  // namespace
