#include "algebra.h"

#include <algorithm>
#include <cstddef>

// Every walk compares a[i] with b[j] in the same order: a[i] smaller, equal, a[i] greater (a
// NaN, which equals nothing, counts as greater). A first walk counts the common elements, which
// gives the size of every result, so each result is written once, straight into its own exactly
// sized array: no scratch buffer, no second copy, and the allocator is asked for the same size
// it gets back.

namespace {

enum class kept { either, left_only, common, one_side };

// Walks the ascending arrays a and b together and writes, in order, the elements that `what`
// keeps into out: every element of either operand (of two equal ones b's), the elements of a
// alone, the common ones (a's), or those of one operand only. It writes at most `size` of them
// and returns how many it wrote. out may be a itself for kept::common: the k-th common element
// is never ahead of the walk in a.
template <kept what>
int walk(const double* a, int na, const double* b, int nb, double* out, int size)
{
    constexpr bool a_alone = what == kept::either || what == kept::left_only || what == kept::one_side;
    constexpr bool b_alone = what == kept::either || what == kept::one_side;
    int i = 0, j = 0, k = 0;
    while (i < na && j < nb && k < size) {
        if (b[j] > a[i]) {
            if constexpr (a_alone)
                out[k++] = a[i];
            ++i;
        } else if (a[i] == b[j]) {
            if constexpr (what == kept::either)
                out[k++] = b[j];
            if constexpr (what == kept::common)
                out[k++] = a[i];
            ++i;
            ++j;
        } else {
            if constexpr (b_alone)
                out[k++] = b[j];
            ++j;
        }
    }
    // What is left of one operand belongs to the result, except b's rest for a difference.
    if constexpr (a_alone)
        k += static_cast<int>(std::copy_n(a + i, std::min(na - i, size - k), out + k) - (out + k));
    if constexpr (b_alone)
        k += static_cast<int>(std::copy_n(b + j, std::min(nb - j, size - k), out + k) - (out + k));
    return k;
}

// The number of elements a and b have in common. A walk that branches on the comparisons is
// mispredicted about every other step where the operands interleave at random, and one that
// doesn't waits for each comparison before its next load; so the count runs as four walks over
// consecutive ranges of values, stepped together without branches. For sets that break the
// ascending order (a NaN put in by insert) it may differ from what a walk finds, which is why
// the walks never write more than it says.
int common_count(const double* a, int na, const double* b, int nb)
{
    constexpr int chains = 4;
    if (na == 0 || nb == 0)
        return 0;
    int i[chains], i_end[chains], j[chains], j_end[chains];
    for (int t = 0; t < chains; ++t) {
        i[t] = static_cast<int>(static_cast<long long>(na) * t / chains);
        j[t] = t == 0 ? 0 : std::max(j[t - 1], static_cast<int>(std::lower_bound(b, b + nb, a[i[t]]) - b));
    }
    for (int t = 0; t < chains; ++t) {
        i_end[t] = t + 1 < chains ? i[t + 1] : na;
        j_end[t] = t + 1 < chains ? j[t + 1] : nb;
    }
    int common = 0;
    for (bool stepping = true; stepping;) {
        stepping = false;
        for (int t = 0; t < chains; ++t) {
            const bool step = (i[t] < i_end[t]) & (j[t] < j_end[t]);
            const double x = a[step ? i[t] : 0], y = b[step ? j[t] : 0];
            const bool a_smaller = y > x, equal = x == y;
            common += step & equal;
            i[t] += step & (a_smaller | equal);
            j[t] += step & !a_smaller;
            stepping |= step;
        }
    }
    return common;
}

}  // namespace

halmaz operator+(const halmaz& a, const halmaz& b)
{
    const std::size_t common = std::size_t(common_count(a.elements, a.count, b.elements, b.count));
    halmaz result = halmaz::of_size(std::size_t(a.count) + std::size_t(b.count) - common);
    result.keep(walk<kept::either>(a.elements, a.count, b.elements, b.count, result.elements, result.count));
    return result;
}

halmaz operator-(const halmaz& a, const halmaz& b)
{
    const std::size_t common = std::size_t(common_count(a.elements, a.count, b.elements, b.count));
    halmaz result = halmaz::of_size(std::size_t(a.count) - common);
    result.keep(walk<kept::left_only>(a.elements, a.count, b.elements, b.count, result.elements, result.count));
    return result;
}

halmaz operator*(const halmaz& a, const halmaz& b)
{
    halmaz result = halmaz::of_size(std::size_t(common_count(a.elements, a.count, b.elements, b.count)));
    result.keep(walk<kept::common>(a.elements, a.count, b.elements, b.count, result.elements, result.count));
    return result;
}

// a is this call's own copy: the common elements are gathered in its array, which is then
// shrunk in place and becomes the result. One walk, and no array of its own.
halmaz metszet(halmaz a, halmaz b)
{
    a.keep(walk<kept::common>(a.elements, a.count, b.elements, b.count, a.elements, a.count));
    return a;
}

// The elements of exactly one operand: the same result as (a + b) - (a * b) in one walk.
halmaz szim_dif(halmaz a, halmaz b)
{
    const std::size_t common = std::size_t(common_count(a.elements, a.count, b.elements, b.count));
    halmaz result = halmaz::of_size(std::size_t(a.count) + std::size_t(b.count) - 2 * common);
    result.keep(walk<kept::one_side>(a.elements, a.count, b.elements, b.count, result.elements, result.count));
    return result;
}

void show_result(halmaz h, std::string caption, console::Output& out)
{
    out << '\n';
    out << caption << '\n';
    h.kiir(out);
    out << '\n';
}
