#include "dialogue.h"

#include "algebra.h"
#include "halmaz.h"

#include <utility>
#include <vector>

int run(console::Input& in, console::Output& out)
{
    out << "MUVELETEK HALMAZOKKAL" << '\n';
    out << '\n';
    out << "Halmazok szama: ";
    const int set_count = in.read<int>();
    if (set_count < 2) {
        out << "Minimum 2 halmazt kell megadni!" << '\n';
        return 1;
    }

    // The sets are added one by one as they are read, so memory follows what was typed,
    // not the typed count.
    std::vector<halmaz> sets;
    halmaz unio, metszete, kulonbseg, szimmetrikus;
    // Counting from 0 keeps the counters from stepping past a count that is the largest int.
    for (int index = 0; index < set_count; ++index) {
        const int s = index + 1;
        out << '\n';
        out << s << ". halmaz elemszama: ";
        const int element_count = in.read<int>();
        if (element_count < 0) {
            out << "Nem adhat meg negativ erteket!" << '\n';
            return 2;
        }
        // The values are gathered as typed and made into a set at once: sorting them costs
        // n log n, where inserting them one by one would cost n squared.
        std::vector<double> typed;
        for (int e = 0; e < element_count; ++e) {
            out << e + 1 << ". elem: ";
            typed.push_back(in.read<double>());
        }
        sets.push_back(halmaz::from_values(std::move(typed)));
        const halmaz& current = sets.back();
        out << s << ". halmaz tartalma:" << '\n';
        current.kiir(out);
        out << '\n';

        unio = unio + current;
        if (s == 1)
            metszete = current;
        else
            metszete = metszete * current;

        if (s >= 2) {
            const halmaz& previous = sets[sets.size() - 2];
            kulonbseg = previous - current;
            out << '\n';
            out << "Kulonbseghalmaz (" << s - 1 << "-" << s << "):" << '\n';
            kulonbseg.kiir(out);
            out << '\n';
            szimmetrikus = szim_dif(previous, current);
            show_result(szimmetrikus, "Szimmetrikus differencia:", out);
        }
    }

    show_result(unio, "A halmazok unioja:", out);
    show_result(metszete, "A halmazok metszete:", out);

    if (!metszete.ures()) {
        out << "Ezt vegyuk ki belole: ";
        const double x = in.read<double>();
        try {
            metszete.dispose(x);
            show_result(metszete, "Az igy kapott halmaz tartalma:", out);
            out << "A halmaz elemszama: " << metszete.elemszam() << '\n';
        } catch (halmaz::exception error) {
            if (error == halmaz::nem_eleme)
                out << x << " nem eleme a halmaznak!" << '\n';
        }
    }

    out << '\n';
    out << "Tartalmazas ellenorzese: ";
    const double y = in.read<double>();
    if (metszete.eleme(y))
        out << y << " eleme a halmaznak." << '\n';
    else
        out << y << " nem eleme a halmaznak." << '\n';
    return 0;
}
