// Writes the pictures that check.py looks at, from what the programs have at hand:
//   draw svg FILE   standard input: P's x and y, then a figure file's numbers (below 3 sides
//                   a circle); standard output: the report's distance line
//   draw dot FILE   standard input: the values of a tree
// Exit status: 0, 5 when FILE can't be written, 2 for input that can't be read.
#include "console/picture_file.h"
#include "dot.h"
#include "lista.h"
#include "picture.h"
#include "sikidom.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int draw_svg(const char* path)
{
    double px, py;
    int count;
    if (!(std::cin >> px >> py >> count) || count < 1)
        return 2;
    lista<Sikidom> figures;
    int nearest = 0;
    double best = 0;
    for (int i = 0; i < count; ++i) {
        int sides;
        double x, y, size;
        if (!(std::cin >> sides >> x >> y >> size))
            return 2;
        Sokszog figure;
        figure.place(x, y);
        figure.set_side_number(sides < 3 ? 0 : sides);
        figure.set_side_length(size);
        figures.Insert(figure);
        const double distance = figure.get_distance(px, py);
        if (i == 0 || best > distance)
            best = distance, nearest = i;
    }
    std::cout << "Tavolsag: " << best << " egyseg." << '\n';  // as the report writes it
    return write_picture(path, "draw", [&](std::ostream& out) { write_svg(out, px, py, figures, nearest, best); });
}

int draw_dot(const char* path)
{
    std::vector<int> values;
    for (int value; std::cin >> value;)
        values.push_back(value);
    Tree<int> tree;
    tree.Insert(values.begin(), values.end());
    return write_picture(path, "draw", [&](std::ostream& out) { WriteDot(out, tree); });
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string kind = argc == 3 ? argv[1] : "";
    if (kind == "svg")
        return draw_svg(argv[2]);
    if (kind == "dot")
        return draw_dot(argv[2]);
    std::cerr << "usage: draw svg|dot FILE < input\n";
    return 64;
}
