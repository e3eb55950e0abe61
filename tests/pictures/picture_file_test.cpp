#include "console/picture_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// close(2) as the console library calls it (linked with --wrap=close): it fails with EIO,
// after closing, when the test asks it to, as a network file system may report a lost write.
bool fail_close = false;
extern "C" int __real_close(int descriptor);
extern "C" int __wrap_close(int descriptor)
{
    const int closed = __real_close(descriptor);
    if (!fail_close)
        return closed;
    fail_close = false;
    errno = EIO;
    return -1;
}

namespace {

namespace fs = std::filesystem;

// A picture's temporary file lies beside the named file until it is kept, and goes when it is
// not, when writing it throws, and at an out-of-memory exit; the older file stays as it was
// until then, also when the picture's file fails to close or a folder takes the name. A pipe
// (like a device) is never replaced.
TEST(PictureFile, ReplacesOnlyARegularFileAndOnlyOnceThePictureIsWhole)
{
    std::string name = (fs::temp_directory_path() / "picture_file_XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    const fs::path folder = name;
    const std::string file = folder / "p.svg", pipe = folder / "pipe";
    const auto files = [&folder] { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); };
    const auto picture = [](std::ostream& out) { out << std::string(100000, 'x') << "end\n"; };
    std::ofstream(file) << "older\n";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string dialogue;
    console::Output out(dialogue);
    {
        console::PictureFile written(file), unkept(file);
        ASSERT_TRUE(written.write(picture) && unkept.write(picture));
        EXPECT_EQ(files(), 4);
        console::abandon_pictures();  // as an out-of-memory exit does
        EXPECT_EQ(files(), 2);
        EXPECT_THROW(written.write([](std::ostream&) { throw 1; }), int);
        ASSERT_TRUE(unkept.write(picture) && written.write(picture));
        EXPECT_EQ(fs::file_size(file), 6u);
        EXPECT_EQ(written.keep("prog", out), 0);
    }  // the unkept picture's temporary file goes with it
    EXPECT_EQ(fs::file_size(file), 100004u);
    const std::string folder_later = folder / "later";
    console::PictureFile lost(file), later(folder_later);
    EXPECT_FALSE(lost.write([](std::ostream& out) { out << "lost", fail_close = true; }));
    EXPECT_TRUE(later.write(picture) && fs::create_directory(folder_later));
    testing::internal::CaptureStderr();
    EXPECT_EQ(console::write_picture(pipe, "prog", out, picture) + lost.keep("prog", out) + later.keep("prog", out),
              15);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "prog: a kep nem irhato: '" + pipe
                  + "': Not a regular file\n"
                    "prog: a kep nem irhato: '"
                  + file
                  + "': Input/output error\n"
                    "prog: a kep nem irhato: '"
                  + folder_later + "': Is a directory\n");
    EXPECT_EQ(fs::file_size(file), 100004u);
    fs::remove(folder_later);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(files(), 2);
    fs::remove_all(folder);
}

}  // namespace
