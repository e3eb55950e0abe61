// The I/O floor of a whole-process benchmark: reads the same numbers as a program run does,
// with the same >>, and writes as many numbers with the same << and as many bytes in all,
// without a per-line flush. A program can't run faster than this on the same input.
//
//   iofloor PATTERN INTS DOUBLES FILL [FILE]
//
// PATTERN gives the type of each number read, i for int and d for double; the letters in
// brackets at its end repeat until the input ends ("i[iddd]": an int, then groups of an int
// and three doubles). The numbers come from FILE, or from standard input. The program then
// writes INTS ints and DOUBLES doubles, taken in turn from those it read, each followed by a
// line end, and then FILL bytes of text lines, which the caller chooses so that the output is
// as long as the program's.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool read_one(std::istream& in, char type, std::vector<int>& ints, std::vector<double>& doubles)
{
    if (type == 'i') {
        int value;
        if (!(in >> value))
            return false;
        ints.push_back(value);
    } else {
        double value;
        if (!(in >> value))
            return false;
        doubles.push_back(value);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || argc > 6) {
        std::cerr << "usage: iofloor PATTERN INTS DOUBLES FILL [FILE]\n";
        return 64;
    }
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    const std::string pattern = argv[1];
    const long long int_count = std::atoll(argv[2]), double_count = std::atoll(argv[3]);
    const long long fill = std::atoll(argv[4]);
    std::ifstream file;
    if (argc == 6)
        file.open(argv[5]);
    std::istream& in = argc == 6 ? static_cast<std::istream&>(file) : std::cin;

    const std::size_t bracket = pattern.find('[');
    const std::string head = pattern.substr(0, bracket);
    const std::string group =
        bracket == std::string::npos ? "" : pattern.substr(bracket + 1, pattern.size() - bracket - 2);
    std::vector<int> ints;
    std::vector<double> doubles;
    bool more = true;
    for (char type : head)
        more = more && read_one(in, type, ints, doubles);
    while (more && !group.empty())
        for (char type : group)
            more = more && read_one(in, type, ints, doubles);

    std::ostream& out = std::cout;
    for (long long k = 0; k < int_count; ++k)
        out << (ints.empty() ? static_cast<int>(k) : ints[k % ints.size()]) << '\n';
    for (long long k = 0; k < double_count; ++k)
        out << (doubles.empty() ? 0.5 * k : doubles[k % doubles.size()]) << '\n';
    const std::string line(63, '.');
    long long left = fill;
    for (; left >= 64; left -= 64)
        out << line << '\n';
    out << std::string(left > 0 ? left : 0, '.');
    return 0;
}
