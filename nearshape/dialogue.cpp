#include "dialogue.h"

#include "console/picture_file.h"
#include "lista.h"
#include "picture.h"
#include "prompts.h"
#include "sikidom.h"

namespace {

// Ends a run that can't go on: an empty line (a line end after the pending prompt), the
// message, and the exit status to return.
int stop(console::Output& out, const char* message, int status)
{
    out << '\n';
    out << message << '\n';
    return status;
}

}  // namespace

int run(console::Input& in, console::Output& out, const std::string* svg)
{
    out << "NEARSHAPE" << '\n';
    out << '\n';
    out << "A program megkeresi egy adott P ponthoz legkozelebb levo sikidomot" << '\n';
    out << "A sikidomok beolvasasa tortenhet fajlbol es billentyuzetrol is." << '\n';
    out << '\n';
    out << "A P pont koordinatai:" << '\n';
    out << "x: ";
    const double px = in.read<double>();
    out << "y: ";
    const double py = in.read<double>();

    char source;
    ChooseBetween("Sikidomok beolvasasa", "Fajlbol", 'F', "Billentyuzetrol", 'B', source, in, out);
    const bool from_file = source != 'b';

    console::Input file;
    int count;
    if (from_file) {
        out << '\n';
        out << "Fajlnev: ";
        if (!file.open(in.read<std::string>()))
            return stop(out, "Hiba a fajl megnyitasakor!", 1);
        if (!file.extract(count))
            return stop(out, "Hibas vagy hianyos fajl!", 2);
        if (count < 1)
            return stop(out, "A fajl nem tartalmaz sikidomot!", 2);
        out << '\n';
        out << "Sikidomok szama: " << count << '\n';
    } else {
        SetData("Sikidomok szama", 1, count, in, out);
    }

    lista<Sikidom> figures;
    for (int i = 0; i < count; ++i) {
        out << '\n';
        out << i + 1 << ". SIKIDOM ADATAI" << '\n';

        bool circle;
        int side_number = 0;
        double x, y, size;
        if (from_file) {
            if (!file.extract(side_number) || !file.extract(x) || !file.extract(y) || !file.extract(size))
                return stop(out, "Hibas vagy hianyos fajl!", 2);
            circle = side_number < 3;
            out << '\n';
            if (circle) {
                out << "Sugar hossza: " << size << '\n';
            } else {
                out << "Oldalszam: " << side_number << '\n';
                out << "Oldalak hossza: " << size << '\n';
            }
            out << "Koordinatak: (" << x << ", " << y << ")" << '\n';
        } else {
            char type;
            ChooseBetween("Tipus", "Kor", 'K', "Sokszog", 'S', type, in, out);
            circle = type == 'k';
            if (circle) {
                SetData("Sugar hossza", 0.0, size, in, out);
            } else {
                SetData("Oldalszam", 3, side_number, in, out);
                SetData("Oldal hossza", 0.0, size, in, out);
            }
            out << '\n';
            out << "Koordinatak:" << '\n';
            out << "x: ";
            x = in.read<double>();
            out << "y: ";
            y = in.read<double>();
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

    out << '\n';
    out << "A P(" << px << ", " << py << ") ponthoz legkozelebbi objektum:" << '\n';
    out << "A lista " << best_position + 1 << ". objektuma." << '\n';
    out << "Tavolsag: " << best_distance << " egyseg." << '\n';
    if (!svg)
        return 0;
    return console::write_picture(*svg, "nearshape", out, [&](std::ostream& drawing) {
        write_svg(drawing, px, py, figures, best_position, best_distance);
    });
}
