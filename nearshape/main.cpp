// nearshape: finds, among circles and regular polygons typed at the keyboard or read from a
// figure file, the one nearest to a point P.
#include "console.h"
#include "lista.h"
#include "prompts.h"
#include "sikidom.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <new>
#include <string>

namespace {

const char* const usage = "Hasznalat: nearshape [-h | --help | --version]\n"
                          "\n"
                          "Megkeresi a P ponthoz legkozelebbi sikidomot (kort vagy szabalyos sokszoget).\n"
                          "A sikidomokat a billentyuzetrol vagy egy szovegfajlbol olvassa be; a valaszokat\n"
                          "a szabvanyos bemenetrol olvassa.\n"
                          "\n"
                          "A sikidomfajl szamai: a sikidomok szama, majd sikidomonkent az oldalszam\n"
                          "(3-nal kisebb ertek eseten kor), a kozeppont x es y koordinataja es a meret\n"
                          "(a kor sugara vagy a sokszog oldalhossza).\n"
                          "\n"
                          "Kapcsolok:\n"
                          "  -h, --help  ez a leiras\n"
                          "  --version   a program neve es verzioja\n"
                          "\n"
                          "Kilepesi kodok:\n"
                          "  0   rendben lefutott\n"
                          "  1   a sikidomfajl nem nyithato meg\n"
                          "  2   a sikidomfajl nem hasznalhato\n"
                          "  3   hibas vagy hianyzo bemenet\n"
                          "  4   nincs eleg memoria\n"
                          "  64  ismeretlen argumentum\n";

// Ends a run that can't go on: an empty line (a line end after the pending prompt), the
// message, and the exit status to return.
int stop(const char* message, int status)
{
    std::cout << '\n';
    std::cout << message << '\n';
    return status;
}

// Memory has run out. There may be none left even for the exception that would carry this
// to main, so the run ends right where the allocation failed. _Exit skips the clean-up that
// would flush standard output, so the output is flushed here.
[[noreturn]] void out_of_memory()
{
    stop("Nincs eleg memoria!", 4);
    std::cout.flush();
    std::_Exit(4);
}

}  // namespace

int main(int argc, char** argv)
try {
    if (argc > 1)
        return answer_arguments(argc, argv, "nearshape", usage);
    open_console();
    std::set_new_handler(out_of_memory);
    std::cout << "NEARSHAPE" << '\n';
    std::cout << '\n';
    std::cout << "A program megkeresi egy adott P ponthoz legkozelebb levo sikidomot" << '\n';
    std::cout << "A sikidomok beolvasasa tortenhet fajlbol es billentyuzetrol is." << '\n';
    std::cout << '\n';
    std::cout << "A P pont koordinatai:" << '\n';
    std::cout << "x: ";
    const double px = read_answer<double>();
    std::cout << "y: ";
    const double py = read_answer<double>();

    char source;
    ChooseBetween("Sikidomok beolvasasa", "Fajlbol", 'F', "Billentyuzetrol", 'B', source);
    const bool from_file = source != 'b';

    std::ifstream file;
    int count;
    if (from_file) {
        std::cout << '\n';
        std::cout << "Fajlnev: ";
        file.open(read_answer<std::string>());
        if (!file)
            return stop("Hiba a fajl megnyitasakor!", 1);
        if (!(file >> count))
            return stop("Hibas vagy hianyos fajl!", 2);
        if (count < 1)
            return stop("A fajl nem tartalmaz sikidomot!", 2);
        std::cout << '\n';
        std::cout << "Sikidomok szama: " << count << '\n';
    } else {
        SetData("Sikidomok szama", 1, count);
    }

    lista<Sikidom> figures;
    for (int i = 0; i < count; ++i) {
        std::cout << '\n';
        std::cout << i + 1 << ". SIKIDOM ADATAI" << '\n';

        bool circle;
        int side_number = 0;
        double x, y, size;
        if (from_file) {
            if (!(file >> side_number >> x >> y >> size))
                return stop("Hibas vagy hianyos fajl!", 2);
            circle = side_number < 3;
            std::cout << '\n';
            if (circle) {
                std::cout << "Sugar hossza: " << size << '\n';
            } else {
                std::cout << "Oldalszam: " << side_number << '\n';
                std::cout << "Oldalak hossza: " << size << '\n';
            }
            std::cout << "Koordinatak: (" << x << ", " << y << ")" << '\n';
        } else {
            char type;
            ChooseBetween("Tipus", "Kor", 'K', "Sokszog", 'S', type);
            circle = type == 'k';
            if (circle) {
                SetData("Sugar hossza", 0.0, size);
            } else {
                SetData("Oldalszam", 3, side_number);
                SetData("Oldal hossza", 0.0, size);
            }
            std::cout << '\n';
            std::cout << "Koordinatak:" << '\n';
            std::cout << "x: ";
            x = read_answer<double>();
            std::cout << "y: ";
            y = read_answer<double>();
        }

        if (circle) {
            Kor kor;
            kor.place(x, y);
            kor.set_radius(size);
            figures.Insert(kor);
        } else {
            Sokszog sokszog;
            sokszog.place(x, y);
            sokszog.set_side_number(side_number);
            sokszog.set_side_length(size);
            figures.Insert(sokszog);
        }
    }

    // The first figure at the strictly smallest distance wins; a NaN never replaces it.
    figures.First();
    Sikidom figure = figures.GetValue();
    int best_position = 0;
    double best_distance = figure.get_distance(px, py);
    int position = 0;
    while (!figures.LastElement()) {
        ++position;
        figures.Next();
        figure = figures.GetValue();
        const double distance = figure.get_distance(px, py);
        if (best_distance > distance) {
            best_distance = distance;
            best_position = position;
        }
    }

    std::cout << '\n';
    std::cout << "A P(" << px << ", " << py << ") ponthoz legkozelebbi objektum:" << '\n';
    std::cout << "A lista " << best_position + 1 << ". objektuma." << '\n';
    std::cout << "Tavolsag: " << best_distance << " egyseg." << '\n';
    return 0;
} catch (const BadInput&) {
    return stop("Hibas vagy hianyzo bemenet!", 3);
} catch (const std::bad_alloc&) {
    return stop("Nincs eleg memoria!", 4);
}
