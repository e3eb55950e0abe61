#include "halmaz.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <new>
#include <utility>

halmaz halmaz::from_block(const double* block, int n)
{
    halmaz result;
    if (n > 0) {
        result.elements = new double[n];
        std::copy(block, block + n, result.elements);
        result.count = n;
    }
    return result;
}

// A stable sort leaves equal values in the order they came, so the first of each run of equal
// values is the one insert would have kept (0 and -0 are the only equal values that differ).
halmaz halmaz::from_values(std::vector<double> values)
{
    if (values.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))  // beyond an int count
        throw std::bad_alloc();
    std::stable_sort(values.begin(), values.end());
    const auto distinct_end = std::unique(values.begin(), values.end());
    return from_block(values.data(), static_cast<int>(distinct_end - values.begin()));
}

halmaz::halmaz(const halmaz& other) : halmaz(from_block(other.elements, other.count)) {}

halmaz::halmaz(halmaz&& other) noexcept
    : elements(std::exchange(other.elements, nullptr)), count(std::exchange(other.count, 0))
{
}

halmaz::~halmaz() { delete[] elements; }

// The copy is made before the old array is released, so assigning a set to itself is safe
// and a failed allocation leaves this set as it was.
halmaz& halmaz::operator=(const halmaz& other)
{
    halmaz copy(other);
    std::swap(elements, copy.elements);
    std::swap(count, copy.count);
    return *this;
}

halmaz& halmaz::operator=(halmaz&& other) noexcept
{
    if (this != &other) {
        delete[] elements;
        elements = std::exchange(other.elements, nullptr);
        count = std::exchange(other.count, 0);
    }
    return *this;
}

int halmaz::position(double v) const
{
    return static_cast<int>(std::lower_bound(elements, elements + count, v) - elements);
}

bool halmaz::eleme(double v) const
{
    const int i = position(v);
    return i < count && elements[i] == v;
}

// The new array is filled before the old one is released: the elements below v, v, the rest.
void halmaz::insert(double v)
{
    const int i = position(v);
    if (i < count && elements[i] == v)
        return;
    if (count == std::numeric_limits<int>::max())  // the count can't grow: no room for v
        throw std::bad_alloc();
    double* grown = new double[count + 1];
    std::copy(elements, elements + i, grown);
    grown[i] = v;
    std::copy(elements + i, elements + count, grown + i + 1);
    delete[] elements;
    elements = grown;
    ++count;
}

void halmaz::dispose(double v)
{
    if (ures())
        throw ures_halmaz;
    const int i = position(v);
    if (i == count || elements[i] != v)
        throw nem_eleme;
    double* shrunk = nullptr;
    if (count > 1) {
        shrunk = new double[count - 1];
        std::copy(elements, elements + i, shrunk);
        std::copy(elements + i + 1, elements + count, shrunk + i);
    }
    delete[] elements;
    elements = shrunk;
    --count;
}
