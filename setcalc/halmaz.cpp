#include "halmaz.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <new>
#include <utility>

double* halmaz::allocate(std::size_t n)
{
    if (n > static_cast<std::size_t>(std::numeric_limits<int>::max())
        || n > std::numeric_limits<std::size_t>::max() / sizeof(double))
        throw std::bad_alloc();
    for (;;) {
        if (void* block = std::malloc(n * sizeof(double)))
            return static_cast<double*>(block);
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

halmaz halmaz::with_room(std::size_t n)
{
    halmaz result;
    if (n > 0)
        result.elements = allocate(n);
    return result;
}

// The array comes from malloc so that realloc can shrink it where it lies.
void halmaz::keep(int k)
{
    count = k;
    if (k == 0) {
        std::free(elements);
        elements = nullptr;
    } else if (void* shrunk = std::realloc(elements, static_cast<std::size_t>(k) * sizeof(double))) {
        elements = static_cast<double*>(shrunk);
    }  // else the larger array stays, just as good
}

halmaz halmaz::from_block(const double* block, int n)
{
    halmaz result = with_room(static_cast<std::size_t>(n));
    std::copy(block, block + n, result.elements);
    result.count = n;
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

halmaz::~halmaz() { std::free(elements); }

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
        std::free(elements);
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

void halmaz::kiir() const
{
    if (ures()) {
        std::cout << "ureshalmaz";
        return;
    }
    std::cout << "{";
    for (int i = 0; i < count; ++i)
        std::cout << (i > 0 ? ", " : "") << elements[i];
    std::cout << "}";
}

// The new array is filled before the old one is released: the elements below v, v, the rest.
void halmaz::insert(double v)
{
    const int i = position(v);
    if (i < count && elements[i] == v)
        return;
    if (count == std::numeric_limits<int>::max())  // the count can't grow: no room for v
        throw std::bad_alloc();
    double* grown = allocate(static_cast<std::size_t>(count) + 1);
    std::copy(elements, elements + i, grown);
    grown[i] = v;
    std::copy(elements + i, elements + count, grown + i + 1);
    std::free(elements);
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
        shrunk = allocate(static_cast<std::size_t>(count) - 1);
        std::copy(elements, elements + i, shrunk);
        std::copy(elements + i + 1, elements + count, shrunk + i);
    }
    std::free(elements);
    elements = shrunk;
    --count;
}
