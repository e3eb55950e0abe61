#include "console/picture_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, removed after it.
class PictureFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string name = (fs::temp_directory_path() / "picture_file_XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder = name;
        file = (folder / "p.svg").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path folder;
    std::string file;
};

const auto picture = [](std::ostream& out) { out << std::string(100000, 'x') << "end\n"; };

TEST_F(PictureFileTest, ReplacesTheFileOnlyOnceWrittenWholeAndLeavesNoTemporaryFile)
{
    std::ofstream(file) << "older\n";
    {
        console::PictureFile written(file), unkept(file), abandoned(file);
        ASSERT_TRUE(written.write(picture));
        ASSERT_TRUE(unkept.write([](std::ostream& out) { out << "unkept\n"; }));
        ASSERT_TRUE(abandoned.write([](std::ostream& out) { out << "abandoned\n"; }));
        EXPECT_EQ(Names().size(), 4u);  // the older file and three temporary ones beside it
        EXPECT_EQ(Read(file), "older\n");
        console::abandon_pictures();  // as an out-of-memory exit does
        EXPECT_EQ(Names(), std::vector<std::string>{"p.svg"});
        EXPECT_THROW(written.write([](std::ostream& out) {
            out << "cut short";
            throw 1;
        }),
                     int);
        ASSERT_TRUE(unkept.write([](std::ostream& out) { out << "unkept\n"; }));
        ASSERT_TRUE(written.write(picture));
        std::string dialogue;
        console::Output out(dialogue);
        EXPECT_EQ(written.keep("prog", out), 0);
        EXPECT_EQ(Names().size(), 2u);
    }  // the unkept picture's temporary file goes with it
    EXPECT_EQ(Read(file), std::string(100000, 'x') + "end\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"p.svg"});
}

TEST_F(PictureFileTest, NeverPutsAPlainFileInThePlaceOfAPipeOrADevice)
{
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    std::string dialogue;
    console::Output out(dialogue);
    testing::internal::CaptureStderr();
    EXPECT_EQ(console::write_picture(file, "prog", out, picture), 5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "prog: a kep nem irhato: '" + file + "': Not a regular file\n");
    EXPECT_TRUE(fs::is_fifo(file));
    EXPECT_EQ(Names(), std::vector<std::string>{"p.svg"});
}

}  // namespace
