// nearshape: finds, among circles and regular polygons typed at the keyboard or read from a
// figure file, the one nearest to a point P.
#include "console/program.h"
#include "dialogue.h"

namespace {

const console::Program program = {
    "nearshape",
    "Megkeresi a P ponthoz legkozelebbi sikidomot (kort vagy szabalyos sokszoget).\n"
    "A sikidomokat a billentyuzetrol vagy egy szovegfajlbol olvassa be; a valaszokat\n"
    "a szabvanyos bemenetrol olvassa.\n"
    "\n"
    "A sikidomfajl szamai: a sikidomok szama, majd sikidomonkent az oldalszam\n"
    "(3-nal kisebb ertek eseten kor), a kozeppont x es y koordinataja es a meret\n"
    "(a kor sugara vagy a sokszog oldalhossza).\n",
    {{1, "a sikidomfajl nem nyithato meg"}, {2, "a sikidomfajl nem hasznalhato"}, {5, "a kep nem irhato"}},
    {{"--svg", "SVG rajz a FAJL-ba: P, a sikidomok es a legkozelebbi"}},
};

}  // namespace

int main(int argc, char** argv)
{
    return console::run_program(argc, argv, program,
                                [](console::Input& in, console::Output& out, const console::Arguments& arguments) {
                                    return run(in, out, arguments.file("--svg"));
                                });
}
