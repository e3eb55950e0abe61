// setcalc: reads two or more sets of reals, prints each one, the difference and symmetric
// difference of every consecutive pair, the union and intersection of all of them, then
// removes a value from the intersection and checks whether another value belongs to it.
#include "algebra.h"
#include "console.h"
#include "halmaz.h"

#include <cstdlib>
#include <iostream>
#include <new>
#include <utility>
#include <vector>

namespace {

const char* const usage = "Hasznalat: setcalc [-h | --help | --version]\n"
                          "\n"
                          "Valos szamok halmazait olvassa be, es kiirja rendezve a tartalmukat, az\n"
                          "egymast koveto halmazok kulonbseget es szimmetrikus differenciajat, vegul az\n"
                          "osszes halmaz uniojat es metszetet. Ha a metszet nem ures, kivesz belole egy\n"
                          "erteket, majd megnezi, hogy egy masik ertek eleme-e a metszetnek. A valaszokat\n"
                          "a szabvanyos bemenetrol olvassa.\n"
                          "\n"
                          "Kapcsolok:\n"
                          "  -h, --help  ez a leiras\n"
                          "  --version   a program neve es verzioja\n"
                          "\n"
                          "Kilepesi kodok:\n"
                          "  0   rendben lefutott\n"
                          "  1   ketnel kevesebb halmaz\n"
                          "  2   negativ elemszam\n"
                          "  3   hibas vagy hianyzo bemenet\n"
                          "  4   nincs eleg memoria\n"
                          "  64  ismeretlen argumentum\n";

// A read from standard input that failed: input ended, or the answer was not a number of the
// asked type (too large for it included).
struct bad_input {};

template <typename T>
T read_answer()
{
    T value;
    if (!(std::cin >> value))
        throw bad_input{};
    return value;
}

// Memory has run out. There may be none left even for the exception that would carry this
// to main, so the run ends right where the allocation failed. _Exit flushes nothing, so the
// output is flushed here.
[[noreturn]] void out_of_memory()
{
    std::cout << '\n';
    std::cout << "Nincs eleg memoria!" << '\n';
    std::cout.flush();
    std::_Exit(4);
}

}  // namespace

int main(int argc, char** argv)
try {
    if (argc > 1)
        return answer_arguments(argc, argv, "setcalc", usage);
    open_console();
    std::set_new_handler(out_of_memory);
    std::cout << "MUVELETEK HALMAZOKKAL" << '\n';
    std::cout << '\n';
    std::cout << "Halmazok szama: ";
    const int set_count = read_answer<int>();
    if (set_count < 2) {
        std::cout << "Minimum 2 halmazt kell megadni!" << '\n';
        return 1;
    }

    // The sets are added one by one as they are read, so memory follows what was typed,
    // not the typed count.
    std::vector<halmaz> sets;
    halmaz unio, metszete, kulonbseg, szimmetrikus;
    // Counting from 0 keeps the counters from stepping past a count that is the largest int.
    for (int index = 0; index < set_count; ++index) {
        const int s = index + 1;
        std::cout << '\n';
        std::cout << s << ". halmaz elemszama: ";
        const int element_count = read_answer<int>();
        if (element_count < 0) {
            std::cout << "Nem adhat meg negativ erteket!" << '\n';
            return 2;
        }
        // The values are gathered as typed and made into a set at once: sorting them costs
        // n log n, where inserting them one by one would cost n squared.
        std::vector<double> typed;
        for (int e = 0; e < element_count; ++e) {
            std::cout << e + 1 << ". elem: ";
            typed.push_back(read_answer<double>());
        }
        sets.push_back(halmaz::from_values(std::move(typed)));
        const halmaz& current = sets.back();
        std::cout << s << ". halmaz tartalma:" << '\n';
        current.kiir();
        std::cout << '\n';

        unio = unio + current;
        if (s == 1)
            metszete = current;
        else
            metszete = metszete * current;

        if (s >= 2) {
            const halmaz& previous = sets[sets.size() - 2];
            kulonbseg = previous - current;
            std::cout << '\n';
            std::cout << "Kulonbseghalmaz (" << s - 1 << "-" << s << "):" << '\n';
            kulonbseg.kiir();
            std::cout << '\n';
            szimmetrikus = szim_dif(previous, current);
            show_result(szimmetrikus, "Szimmetrikus differencia:");
        }
    }

    show_result(unio, "A halmazok unioja:");
    show_result(metszete, "A halmazok metszete:");

    if (!metszete.ures()) {
        std::cout << "Ezt vegyuk ki belole: ";
        const double x = read_answer<double>();
        try {
            metszete.dispose(x);
            show_result(metszete, "Az igy kapott halmaz tartalma:");
            std::cout << "A halmaz elemszama: " << metszete.elemszam() << '\n';
        } catch (halmaz::exception error) {
            if (error == halmaz::nem_eleme)
                std::cout << x << " nem eleme a halmaznak!" << '\n';
        }
    }

    std::cout << '\n';
    std::cout << "Tartalmazas ellenorzese: ";
    const double y = read_answer<double>();
    if (metszete.eleme(y))
        std::cout << y << " eleme a halmaznak." << '\n';
    else
        std::cout << y << " nem eleme a halmaznak." << '\n';
    return 0;
} catch (const bad_input&) {
    std::cout << '\n';
    std::cout << "Hibas vagy hianyzo bemenet!" << '\n';
    return 3;
} catch (const std::bad_alloc&) {
    std::cout << '\n';
    std::cout << "Nincs eleg memoria!" << '\n';
    return 4;
}
