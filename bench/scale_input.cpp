// Writes the input of one whole-process benchmark run into a folder, with a fixed seed:
//
//   scale_input SCENARIO N DIR
//
// DIR/stdin is the program's standard input (and DIR/figures.txt its figure file, for
// nearshape). DIR/floor holds what the I/O floor needs to do the same amount of reading and
// writing: "PATTERN INTS DOUBLES INPUT", the types of the numbers read (see iofloor), how many
// ints and doubles the program writes, and the file holding the numbers it reads.
//
// Scenarios:
//   nearshape-mixed      N figures: circles, polygons of 3 to 8, 1000 and 2147483647
//                        sides; centres within 1000 of the origin, sizes up to 50, P near
//                        the origin
//   nearshape-huge       N polygons of 2147483647 sides, each with P at or near its centre
//   nearshape-triangles  N triangles in the same places as nearshape-huge
//   setcalc              two sets of N values each, half of them shared, in random order
//   branchwork-ascending, branchwork-descending, branchwork-random
//                        N values in that order
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

std::mt19937_64 random_bits(20261206);

// A uniform real in [low, high), from the raw bits so that every platform draws the same.
double uniform(double low, double high)
{
    return low + (high - low) * static_cast<double>(random_bits() >> 11) * 0x1.0p-53;
}

struct Output {
    explicit Output(const std::string& path) : file(std::fopen(path.c_str(), "w"))
    {
        if (!file) {
            std::perror(path.c_str());
            std::exit(1);
        }
    }
    ~Output() { std::fclose(file); }
    FILE* file;
};

void floor_line(const std::string& dir, const char* pattern, long long ints, long long doubles, const char* input)
{
    Output floor(dir + "/floor");
    std::fprintf(floor.file, "%s %lld %lld %s\n", pattern, ints, doubles, input);
}

// Side numbers of the figures; the centres and sizes are drawn here.
void nearshape(const std::string& dir, const std::vector<int>& sides, bool centred)
{
    const long long n = static_cast<long long>(sides.size());
    Output figures(dir + "/figures.txt");
    std::fprintf(figures.file, "%lld\n", n);
    long long polygons = 0;
    for (int side_number : sides) {
        double x = uniform(-1000, 1000), y = uniform(-1000, 1000);
        const double size = uniform(0.001, 50);
        if (centred) {
            // P is at the origin: half the centres stand exactly on it, the others within a
            // thousandth of the circumradius of a 2147483647-gon with this side length.
            const double reach = (random_bits() % 2) ? 1e-3 * size * 2147483647 / (8 * std::atan(1.0)) : 0;
            x = uniform(-reach, reach);
            y = uniform(-reach, reach);
        }
        polygons += side_number >= 3;
        std::fprintf(figures.file, "%d %.3f %.3f %.3f\n", side_number, x, y, size);
    }
    Output in(dir + "/stdin");
    std::fprintf(in.file, centred ? "0\n0\nf\nfigures.txt\n" : "0.5\n-0.25\nf\nfigures.txt\n");
    // Echo: the count, each figure's number, a polygon's side number, and three reals a
    // figure; the report: P, the position and the distance.
    floor_line(dir, "i[iddd]", 1 + n + polygons + 1, 3 * n + 3, "figures.txt");
}

void setcalc(const std::string& dir, long long n)
{
    const long long shared = n / 2, own = n - shared;
    std::unordered_set<long long> drawn;
    std::vector<double> values;
    while (static_cast<long long>(values.size()) < shared + 2 * own) {
        const long long v = static_cast<long long>(random_bits() % 2000000000) - 1000000000;
        if (drawn.insert(v).second)
            values.push_back(static_cast<double>(v) / 1000);
    }
    std::vector<double> a(values.begin(), values.begin() + shared + own);
    std::vector<double> b(values.begin(), values.begin() + shared);
    b.insert(b.end(), values.begin() + shared + own, values.end());
    std::shuffle(a.begin(), a.end(), random_bits);
    std::shuffle(b.begin(), b.end(), random_bits);

    Output in(dir + "/stdin");
    std::fprintf(in.file, "2\n");
    for (const auto* set : {&a, &b}) {
        std::fprintf(in.file, "%lld\n", n);
        for (double v : *set)
            std::fprintf(in.file, "%.3f\n", v);
    }
    // Remove a shared value from the intersection, then look up another one.
    std::fprintf(in.file, "%.3f\n%.3f\n", values[0], values[shared > 1 ? 1 : 0]);
    // Ints: each set's number twice and its element prompts, the pair's numbers, the count
    // after the removal. Doubles: both sets, the difference, the symmetric difference, the
    // union, the intersection before and after the removal, and the value looked up.
    const long long removed = shared > 0 ? 1 : 0;
    floor_line(dir, "ii[d]", 2 * n + 4 + 2 + removed,
               2 * n + own + 2 * own + (shared + 2 * own) + shared + (shared - removed) + 1, "stdin");
}

void branchwork(const std::string& dir, long long n, const std::string& order)
{
    std::vector<long long> values;
    for (long long i = 1; i <= n; ++i)
        values.push_back(order == "descending" ? n + 1 - i : i);
    if (order == "random")
        for (auto& v : values)
            v = static_cast<long long>(random_bits() % 2000000001) - 1000000000;
    Output in(dir + "/stdin");
    std::fprintf(in.file, "%lld\n", n);
    for (long long v : values)
        std::fprintf(in.file, "%lld\n", v);
    // Answer 1; the last value is always a leaf, so its removal succeeds; search the first.
    std::fprintf(in.file, "1\n%lld\n%lld\n", values.back(), values.front());
    const bool found = std::any_of(values.begin(), values.end(), [](long long v) { return v < 0; })
        && std::any_of(values.begin(), values.end(), [](long long v) { return v >= 0; });
    // Ints: the element prompts, the three orders before and after the removal, the count,
    // and the value found.
    floor_line(dir, "[i]", n + 3 * n + 3 * (n - 1) + 1 + found, 0, "stdin");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: scale_input SCENARIO N DIR\n");
        return 64;
    }
    const std::string scenario = argv[1], dir = argv[3];
    const long long n = std::atoll(argv[2]);
    if (scenario == "nearshape-mixed") {
        std::vector<int> sides;
        for (long long i = 0; i < n; ++i) {
            const int kind = static_cast<int>(random_bits() % 20);
            sides.push_back(kind < 6 ? kind % 3 : kind < 14 ? 3 + kind % 6 : kind < 17 ? 1000 : 2147483647);
        }
        nearshape(dir, sides, false);
    } else if (scenario == "nearshape-huge" || scenario == "nearshape-triangles") {
        nearshape(dir, std::vector<int>(n, scenario == "nearshape-huge" ? 2147483647 : 3), true);
    } else if (scenario == "setcalc") {
        setcalc(dir, n);
    } else if (scenario.rfind("branchwork-", 0) == 0) {
        branchwork(dir, n, scenario.substr(11));
    } else {
        std::fprintf(stderr, "scale_input: unknown scenario %s\n", scenario.c_str());
        return 64;
    }
    return 0;
}
