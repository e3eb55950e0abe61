// nearshape: finds, among circles and regular polygons typed at the keyboard or read from a
// figure file, the one nearest to a point P.
#include "lista.h"
#include "prompts.h"
#include "sikidom.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <new>
#include <string>

namespace {

// Ends a run that can't go on: an empty line (a line end after the pending prompt), the
// message, and the exit status to return.
int stop(const char* message, int status)
{
    std::cout << std::endl;
    std::cout << message << std::endl;
    return status;
}

// Memory has run out. There may be none left even for the exception that would carry this
// to main, so the run ends right where the allocation failed.
[[noreturn]] void out_of_memory()
{
    stop("Nincs eleg memoria!", 4);
    std::_Exit(4);
}

}  // namespace

int main()
try {
    std::set_new_handler(out_of_memory);
    std::cout << "NEARSHAPE" << std::endl;
    std::cout << std::endl;
    std::cout << "A program megkeresi egy adott P ponthoz legkozelebb levo sikidomot" << std::endl;
    std::cout << "A sikidomok beolvasasa tortenhet fajlbol es billentyuzetrol is." << std::endl;
    std::cout << std::endl;
    std::cout << "A P pont koordinatai:" << std::endl;
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
        std::cout << std::endl;
        std::cout << "Fajlnev: ";
        file.open(read_answer<std::string>());
        if (!file)
            return stop("Hiba a fajl megnyitasakor!", 1);
        if (!(file >> count))
            return stop("Hibas vagy hianyos fajl!", 2);
        if (count < 1)
            return stop("A fajl nem tartalmaz sikidomot!", 2);
        std::cout << std::endl;
        std::cout << "Sikidomok szama: " << count << std::endl;
    } else {
        SetData("Sikidomok szama", 1, count);
    }

    lista<Sikidom> figures;
    for (int i = 0; i < count; ++i) {
        std::cout << std::endl;
        std::cout << i + 1 << ". SIKIDOM ADATAI" << std::endl;

        bool circle;
        int side_number = 0;
        double x, y, size;
        if (from_file) {
            if (!(file >> side_number >> x >> y >> size))
                return stop("Hibas vagy hianyos fajl!", 2);
            circle = side_number < 3;
            std::cout << std::endl;
            if (circle) {
                std::cout << "Sugar hossza: " << size << std::endl;
            } else {
                std::cout << "Oldalszam: " << side_number << std::endl;
                std::cout << "Oldalak hossza: " << size << std::endl;
            }
            std::cout << "Koordinatak: (" << x << ", " << y << ")" << std::endl;
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
            std::cout << std::endl;
            std::cout << "Koordinatak:" << std::endl;
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

    std::cout << std::endl;
    std::cout << "A P(" << px << ", " << py << ") ponthoz legkozelebbi objektum:" << std::endl;
    std::cout << "A lista " << best_position + 1 << ". objektuma." << std::endl;
    std::cout << "Tavolsag: " << best_distance << " egyseg." << std::endl;
    return 0;
} catch (const BadInput&) {
    return stop("Hibas vagy hianyzo bemenet!", 3);
} catch (const std::bad_alloc&) {
    return stop("Nincs eleg memoria!", 4);
}
