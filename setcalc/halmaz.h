// halmaz: a finite set of reals, kept in one exactly sized heap array in strictly ascending
// order. Equality is the exact == of doubles, so 0 and -0 are one element (the first one
// inserted stays).
#ifndef SETCALC_HALMAZ_H
#define SETCALC_HALMAZ_H

#include <cstddef>
#include <vector>

class halmaz {
public:
    // Thrown by value by dispose.
    enum exception { ures_halmaz = 0, nem_eleme = 1 };

    halmaz() = default;
    // The set that inserting the values one by one, in this order, builds, in time linear in
    // their number instead of the n squared of that many insertions. A NaN equals no value,
    // itself included, so it has no place in an ascending order: NaN values are left out.
    static halmaz from_values(std::vector<double> values);
    halmaz(const halmaz& other);
    halmaz(halmaz&& other) noexcept;
    ~halmaz();
    halmaz& operator=(const halmaz& other);
    halmaz& operator=(halmaz&& other) noexcept;

    bool ures() const { return count <= 0; }
    int elemszam() const { return count; }
    bool eleme(double v) const;
    // Writes "{a, b, c}" or "ureshalmaz", without a line end, with the << of `out` (a
    // console::Output, or a std::ostream with a precision of its own).
    template <typename Out>
    void kiir(Out& out) const
    {
        if (ures()) {
            out << "ureshalmaz";
            return;
        }
        out << "{";
        for (int i = 0; i < count; ++i)
            out << (i > 0 ? ", " : "") << elements[i];
        out << "}";
    }

    // Adds v unless an equal element is present.
    void insert(double v);
    // Removes the element equal to v; throws ures_halmaz or nem_eleme and then changes nothing.
    void dispose(double v);

private:
    // The merge walks of the set algebra read the arrays of their operands directly.
    friend halmaz operator+(const halmaz& a, const halmaz& b);
    friend halmaz operator-(const halmaz& a, const halmaz& b);
    friend halmaz operator*(const halmaz& a, const halmaz& b);
    friend halmaz metszet(halmaz a, halmaz b);
    friend halmaz szim_dif(halmaz a, halmaz b);

    // An array of n doubles from the heap, never for n 0. On failure it does what operator new
    // does: calls the new handler until one frees memory or there is none, then throws
    // std::bad_alloc (also for more elements than an int can count).
    static double* allocate(std::size_t n);
    // A set of n elements, all still to be written by the caller (no array for n 0).
    static halmaz of_size(std::size_t n);
    // Makes the first k elements (k no more than the count) the whole set, shrinking the array
    // in place: it is not copied.
    void keep(int k);
    // Index of the first element not less than v.
    int position(double v) const;

    double* elements = nullptr;  // null exactly when count is 0
    int count = 0;
};

#endif
