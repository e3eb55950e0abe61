// The console layer against the standard streams in the same binary: every read must give
// the value, the success and the rest of the input that >> gives, and every number written
// the bytes that << writes, on crafted inputs: the reader and writer fuzz targets compare the
// two on inputs of every shape.
#include "console/program.h"
#include "console/read_both.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Reads one T with both; false once the test has failed.
template <typename T>
bool same_read(std::istringstream& stream, console::Input& ours, const std::string& text, const T& start)
{
    const BothRead<T> read = ReadBoth(ours, stream, start);
    stream.clear();
    return read.Same()
        || (ADD_FAILURE() << "reading " << testing::PrintToString(text) << ": " << read.ours << " read, " << read.theirs
                          << " expected; success " << read.ours_read << ", expected " << read.theirs_read << "; "
                          << read.ours_consumed << " bytes consumed, expected " << read.theirs_consumed,
            false);
}

// Reads the text with both, one value of each type named in `types` (i, d, c or s) in turn.
bool same_reads(const std::string& text, const std::string& types, console::Input& ours)
{
    std::istringstream stream(text);
    bool same = true;
    for (std::size_t i = 0; same && i < types.size(); ++i)
        switch (types[i]) {
        case 'i': same = same_read(stream, ours, text, 35); break;
        case 'd': same = same_read(stream, ours, text, 35.0); break;
        case 'c': same = same_read(stream, ours, text, '#'); break;
        default: same = same_read(stream, ours, text, std::string("#"));
        }
    return same;
}

bool same_reads(const std::string& text, const std::string& types)
{
    console::Input ours(text);
    return same_reads(text, types, ours);
}

// The exact decimal value of 2 to the power -1075, halfway between 0 and the least double.
std::string least_half()
{
    std::string digits = "1";  // 5 to the power 1075, least significant digit first
    for (int k = 0; k < 1075; ++k) {
        int carry = 0;
        for (char& d : digits) {
            const int v = (d - '0') * 5 + carry;
            d = static_cast<char>('0' + v % 10);
            carry = v / 10;
        }
        if (carry)
            digits += static_cast<char>('0' + carry);
    }
    return "0." + std::string(1075 - digits.size(), '0') + std::string(digits.rbegin(), digits.rend());
}

// Words that are numbers, nearly numbers, or at the ends of the ranges.
std::vector<std::string> words()
{
    std::istringstream list(
        "+ - . 1e 1e+ 0x1p3 inf nan 1e400 -1e400 1e-400 4.9e-324 2147483647 2147483648 "
        "-2147483649 -2147483648 00012 3.5 -.5e-3 1.7976931348623157e308 1.7976931348623159e308 "
        "2.4703282292062328e-324 12345678901234567890123456789 0.000000000000000000000123456789012");
    return {std::istream_iterator<std::string>(list), {}};
}
const char spaces[] = " \t\n\v\f\r";

}  // namespace

TEST(Input, ReadsEveryPrefixOfTheHardWordsAsTheStreamsDo)
{
    std::vector<std::string> hard = words();
    hard.push_back(least_half());
    hard.push_back(least_half() + "1");
    hard.push_back("9" + std::string(400, '0'));
    for (const std::string& word : hard)
        for (std::size_t length = 0; length <= word.size(); ++length)
            for (const char* after : {"", " 7", "x", "e5", ".5", "\xff"})
                for (const char* types : {"is", "ds", "cs"})
                    ASSERT_TRUE(same_reads(word.substr(0, length) + after, types));
    for (char space : std::string(spaces, 6) + std::string(1, '\0') + "\x80\xa0")
        ASSERT_TRUE(same_reads(std::string(1, space) + "12" + space + "-3.5" + space, "idics"));
}

// Numbers cut across the ends of the blocks the descriptor is read in.
TEST(Input, ReadsNumbersAcrossBlockEnds)
{
    std::string text;
    for (const std::string& word : words())
        text += word + spaces[text.size() % 6];
    for (std::size_t block : {1, 2, 3, 5, 64}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        ASSERT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        close(ends[1]);
        console::Input ours(ends[0], nullptr, block);
        EXPECT_TRUE(same_reads(text, std::string(40, 'd') + "ic", ours));
        close(ends[0]);
    }
}

// A file opened is closed when the Input goes: its descriptor is free again.
TEST(Input, ClosesTheFileItOpened)
{
    const int next_free = dup(0);
    close(next_free);
    {
        console::Input file;
        ASSERT_TRUE(file.open("/dev/null"));
    }
    const int after = dup(0);
    EXPECT_EQ(after, next_free);
    close(after);
}

// The tie is flushed before a read that would wait, and only then: a session whose answers
// are all there is written in one write(2), the fewest its length allows. A block size of 0 is
// one byte.
TEST(Input, FlushesItsTieOnlyBeforeAWait)
{
    int answers[2], shown[2];
    ASSERT_EQ(pipe(answers), 0);
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET, 0, shown), 0);  // one packet per write
    ASSERT_EQ(write(answers[1], "1 2", 3), 3);
    close(answers[1]);
    {
        console::Output out(shown[0]);
        console::Input in(answers[0], &out, 0);
        out << "a? ";
        EXPECT_EQ(in.read<int>(), 1);
        out << "b? ";
        EXPECT_EQ(in.read<int>(), 2);
    }
    close(shown[0]);
    char packet[16];
    EXPECT_EQ(read(shown[1], packet, sizeof packet), 6);
    EXPECT_EQ(read(shown[1], packet, sizeof packet), 0);
    close(answers[0]);
    close(shown[1]);
}

TEST(Output, WritesNumbersAsTheStreamsDo)
{
    std::vector<double> values = {0.0,     -0.0,     INFINITY,     -INFINITY, NAN,      -NAN,
                                  DBL_MIN, DBL_MAX,  DBL_TRUE_MIN, 1e6,       999999.5, 9.999995e-05,
                                  0.0001,  -0.00025, 0.000123,     1.5e-05,   0.1,      123456.7};
    // Six-digit rounding edges at every power of ten: the halfway values and their neighbours.
    for (int e = -330; e <= 308; ++e)
        for (const char* digits : {"9999995", "9999996", "1000005", "1234565", "9999994999999"}) {
            const double v = std::strtod((digits + std::string("e") + std::to_string(e)).c_str(), nullptr);
            values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, INFINITY), -v});
        }
    const std::vector<int> ints = {INT_MIN, INT_MIN + 1, -1, 0, 9, 10, 100000, INT_MAX};
    std::string mine;
    std::ostringstream theirs;
    {
        console::Output ours(mine);
        for (double v : values) {
            ours << v << '\n';
            theirs << v << '\n';
        }
        ours << static_cast<signed char>('s') << static_cast<unsigned char>('u');
        theirs << static_cast<signed char>('s') << static_cast<unsigned char>('u');
        const std::string longer_than_the_buffer(1 << 20, 'x');
        ours << longer_than_the_buffer;
        theirs << longer_than_the_buffer;
        for (int v : ints) {
            ours << v << ' ';
            theirs << v << ' ';
        }
    }
    const std::string expected = theirs.str();
    const std::size_t differ =
        std::mismatch(mine.begin(), mine.end(), expected.begin(), expected.end()).first - mine.begin();
    const std::size_t line = mine.rfind('\n', differ) + 1;  // 0 when there is none
    ASSERT_EQ(mine.substr(line, 40), expected.substr(line, 40)) << "at byte " << differ;
}

TEST(Arguments, RefuseWhatIsNotAnOptionTwoOptionsAndAFileOptionWithoutItsName)
{
    const console::Program program{"prog", "", {{5, "a kep nem irhato"}}, {{"--svg", "kep"}, {"--dot", "fa"}}};
    const std::string usage = console::usage(program);
    EXPECT_NE(usage.find("prog [-h | --help | --version] [--svg FAJL] [--dot FAJL]\n"), std::string::npos) << usage;
    EXPECT_NE(usage.find("  --svg FAJL  kep\n  --dot FAJL  fa\n"), std::string::npos) << usage;
    EXPECT_NE(usage.find("  4   nincs eleg memoria\n  5   a kep nem irhato\n  64  "), std::string::npos) << usage;
    struct Row {
        std::vector<const char*> words;
        console::Arguments::Action action;
        const char* complaint;
    };
    for (const Row& row : std::vector<Row>{
             {{}, console::Arguments::run, ""},
             {{"-h"}, console::Arguments::help, ""},
             {{"--version"}, console::Arguments::version, ""},
             {{"--svg", "a.svg", "--dot", "b.dot"}, console::Arguments::run, ""},
             {{"--version", "x"},
              console::Arguments::refused,
              "prog: ismeretlen argumentum: 'x'; segitseg: prog --help"},
             {{"--help", "--version"}, console::Arguments::refused, "egyszerre csak egy kapcsolo adhato meg"},
             {{"--svg", "a", "-h"}, console::Arguments::refused, "egyszerre csak egy kapcsolo adhato meg"},
             {{"-h", "--svg", "a"}, console::Arguments::refused, "egyszerre csak egy kapcsolo adhato meg"},
             {{"--svg", "a", "--svg", "b"}, console::Arguments::refused, "'--svg' ketszer szerepel"},
             {{"--dot"}, console::Arguments::refused, "'--dot' utan hianyzik a fajlnev"},
         }) {
        std::vector<const char*> argv = {"prog"};
        argv.insert(argv.end(), row.words.begin(), row.words.end());
        const console::Arguments got = console::parse_arguments(program, static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(got.action, row.action) << testing::PrintToString(row.words);
        EXPECT_NE(got.complaint.find(row.complaint), std::string::npos) << got.complaint;
    }
    const char* argv[] = {"prog", "--dot", "b.dot", "--svg", "a.svg"};
    const console::Arguments both = console::parse_arguments(program, 5, argv);
    EXPECT_EQ(*both.file("--svg"), "a.svg");
    EXPECT_EQ(*both.file("--dot"), "b.dot");
}
