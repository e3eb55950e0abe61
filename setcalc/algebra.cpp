#include "algebra.h"

#include <algorithm>
#include <cstddef>
#include <iostream>

// Every walk compares a[i] with b[j] in the same order: a[i] smaller, equal, a[i] greater (a
// NaN, which equals nothing, counts as greater). A first walk counts the common elements, which
// gives the size of every result, so each result is written once, straight into its own exactly
// sized array: no scratch buffer, no second copy, and the allocator is asked for the same size
// it gets back.

namespace {

enum class kept { none, either, left_only, common, one_side };

// Walks the ascending arrays a and b together and writes, in order, the elements that `what`
// keeps into out: every element of either operand (of two equal ones b's), the elements of a
// alone, the common ones (a's), or those of one operand only. Returns how many it wrote; with
// kept::none it writes nothing and returns the number of common elements. out may be a itself
// for kept::common: the k-th common element is never ahead of the walk in a.
template <kept what>
int walk(const double* a, int na, const double* b, int nb, double* out = nullptr)
{
    constexpr bool a_alone = what == kept::either || what == kept::left_only || what == kept::one_side;
    constexpr bool b_alone = what == kept::either || what == kept::one_side;
    int i = 0, j = 0, k = 0;
    while (i < na && j < nb) {
        if (b[j] > a[i]) {
            if constexpr (a_alone)
                out[k] = a[i];
            k += a_alone;
            ++i;
        } else if (a[i] == b[j]) {
            if constexpr (what == kept::either)
                out[k] = b[j];
            if constexpr (what == kept::common)
                out[k] = a[i];
            k += what == kept::none || what == kept::either || what == kept::common;
            ++i;
            ++j;
        } else {
            if constexpr (b_alone)
                out[k] = b[j];
            k += b_alone;
            ++j;
        }
    }
    // What is left of one operand belongs to the result, except b's rest for a difference.
    if constexpr (a_alone)
        k = static_cast<int>(std::copy(a + i, a + na, out + k) - out);
    if constexpr (b_alone)
        k = static_cast<int>(std::copy(b + j, b + nb, out + k) - out);
    return k;
}

}  // namespace

halmaz operator+(const halmaz& a, const halmaz& b)
{
    const std::size_t common = walk<kept::none>(a.elements, a.count, b.elements, b.count);
    halmaz result = halmaz::of_size(std::size_t(a.count) + std::size_t(b.count) - common);
    walk<kept::either>(a.elements, a.count, b.elements, b.count, result.elements);
    return result;
}

halmaz operator-(const halmaz& a, const halmaz& b)
{
    const std::size_t common = walk<kept::none>(a.elements, a.count, b.elements, b.count);
    halmaz result = halmaz::of_size(std::size_t(a.count) - common);
    walk<kept::left_only>(a.elements, a.count, b.elements, b.count, result.elements);
    return result;
}

halmaz operator*(const halmaz& a, const halmaz& b)
{
    halmaz result = halmaz::of_size(std::size_t(walk<kept::none>(a.elements, a.count, b.elements, b.count)));
    walk<kept::common>(a.elements, a.count, b.elements, b.count, result.elements);
    return result;
}

// a is this call's own copy: the common elements are gathered in its array, which is then
// shrunk in place and becomes the result. One walk, and no array of its own.
halmaz metszet(halmaz a, halmaz b)
{
    a.keep(walk<kept::common>(a.elements, a.count, b.elements, b.count, a.elements));
    return a;
}

// The elements of exactly one operand: the same result as (a + b) - (a * b) in one walk.
halmaz szim_dif(halmaz a, halmaz b)
{
    const std::size_t common = walk<kept::none>(a.elements, a.count, b.elements, b.count);
    halmaz result = halmaz::of_size(std::size_t(a.count) + std::size_t(b.count) - 2 * common);
    walk<kept::one_side>(a.elements, a.count, b.elements, b.count, result.elements);
    return result;
}

void show_result(halmaz h, std::string caption)
{
    std::cout << '\n';
    std::cout << caption << '\n';
    h.kiir();
    std::cout << '\n';
}
