#include "algebra.h"

#include <algorithm>
#include <cstddef>
#include <iostream>

// Every walk compares a[i] with b[j] in the same order: a[i] smaller, equal, a[i] greater (a
// NaN, which equals nothing, counts as greater). The result is written straight into an array
// with room for the most it can hold, which is then shrunk in place to what it holds: one walk,
// no scratch buffer, no copy.

namespace {

enum class kept { either, left_only, common, one_side };

// Walks the ascending arrays a and b together and writes, in order, the elements that `what`
// keeps into out: every element of either operand (of two equal ones b's), the elements of a
// alone, the common ones (a's), or those of one operand only. Returns how many it wrote. out
// may be a itself for common: the k-th common element is never ahead of the walk in a.
template <kept what>
int walk(const double* a, int na, const double* b, int nb, double* out)
{
    constexpr bool a_alone = what != kept::common, b_alone = what == kept::either || what == kept::one_side;
    int i = 0, j = 0, k = 0;
    while (i < na && j < nb) {
        if (b[j] > a[i]) {
            if (a_alone)
                out[k++] = a[i];
            ++i;
        } else if (a[i] == b[j]) {
            if (what == kept::either)
                out[k++] = b[j];
            else if (what == kept::common)
                out[k++] = a[i];
            ++i;
            ++j;
        } else {
            if (b_alone)
                out[k++] = b[j];
            ++j;
        }
    }
    // What is left of one operand belongs to the result, except b's rest for a difference.
    if (a_alone)
        k = static_cast<int>(std::copy(a + i, a + na, out + k) - out);
    if (b_alone)
        k = static_cast<int>(std::copy(b + j, b + nb, out + k) - out);
    return k;
}

}  // namespace

halmaz operator+(const halmaz& a, const halmaz& b)
{
    halmaz result = halmaz::with_room(std::size_t(a.count) + std::size_t(b.count));
    result.keep(walk<kept::either>(a.elements, a.count, b.elements, b.count, result.elements));
    return result;
}

halmaz operator-(const halmaz& a, const halmaz& b)
{
    halmaz result = halmaz::with_room(std::size_t(a.count));
    result.keep(walk<kept::left_only>(a.elements, a.count, b.elements, b.count, result.elements));
    return result;
}

halmaz operator*(const halmaz& a, const halmaz& b)
{
    halmaz result = halmaz::with_room(std::size_t(std::min(a.count, b.count)));
    result.keep(walk<kept::common>(a.elements, a.count, b.elements, b.count, result.elements));
    return result;
}

// a is this call's own copy: the common elements are gathered in its array, which then
// becomes the result.
halmaz metszet(halmaz a, halmaz b)
{
    a.keep(walk<kept::common>(a.elements, a.count, b.elements, b.count, a.elements));
    return a;
}

// The elements of exactly one operand: the same result as (a + b) - (a * b) in one walk.
halmaz szim_dif(halmaz a, halmaz b)
{
    halmaz result = halmaz::with_room(std::size_t(a.count) + std::size_t(b.count));
    result.keep(walk<kept::one_side>(a.elements, a.count, b.elements, b.count, result.elements));
    return result;
}

void show_result(halmaz h, std::string caption)
{
    std::cout << '\n';
    std::cout << caption << '\n';
    h.kiir();
    std::cout << '\n';
}
