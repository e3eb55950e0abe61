#include "halmaz.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

// The sort key of a double: an unsigned integer in the order of the values, the same for 0
// and -0, which are equal. A positive value gets its sign bit set, a negative one all its bits
// flipped, so that the more negative it is, the smaller its key.
std::uint64_t order_key(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits &= -static_cast<std::uint64_t>(v != 0);  // -0 as 0
    return bits ^ (-(bits >> 63) | (std::uint64_t(1) << 63));
}

// The radix sort takes the keys in digits of 11 bits: 6 passes, 2048 counters each.
constexpr int digit_bits = 11;
constexpr int digit_count = (64 + digit_bits - 1) / digit_bits;
constexpr std::size_t digit_values = std::size_t(1) << digit_bits;

std::size_t digit(double v, int d) { return (order_key(v) >> (d * digit_bits)) & (digit_values - 1); }

// Below this many values a comparison sort is quicker than the radix sort's counters.
constexpr std::size_t few_values = 512;

}  // namespace

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

halmaz halmaz::of_size(std::size_t n)
{
    halmaz result;
    if (n > 0) {
        result.elements = allocate(n);
        result.count = static_cast<int>(n);
    }
    return result;
}

// The array comes from malloc so that realloc can shrink it where it lies.
void halmaz::keep(int k)
{
    if (k == count)
        return;
    count = k;
    if (k == 0) {
        std::free(elements);
        elements = nullptr;
    } else if (void* shrunk = std::realloc(elements, static_cast<std::size_t>(k) * sizeof(double))) {
        elements = static_cast<double*>(shrunk);
    }  // else the larger array stays, just as good
}

// A stable sort leaves equal values in the order they came, so the first of each run of equal
// values is the one insert would have kept (0 and -0 are the only equal values that differ).
// Large inputs take a least significant digit first radix sort on order_key, which is stable:
// each pass moves the values, in order, into the other of two arrays, grouped by one digit of
// the key. The values' own vector and the result's array take turns, and the sorted values end
// in the result's array, where the duplicates are squeezed out before it is shrunk in place.
halmaz halmaz::from_values(std::vector<double> values)
{
    if (values.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))  // beyond an int count
        throw std::bad_alloc();
    // One pass drops the NaNs and, for the radix sort, counts every digit of every key.
    const bool radix = values.size() >= few_values;
    std::vector<std::uint32_t> counts(radix ? digit_count * digit_values : 0);
    std::size_t n = 0;
    for (const double v : values) {
        const bool number = v == v;
        values[n] = v;  // n never passes the value being read
        n += number;
        for (int d = 0; radix && d < digit_count; ++d)
            counts[d * digit_values + digit(v, d)] += number;
    }
    if (n == 0)
        return halmaz();
    halmaz result = of_size(n);
    if (!radix) {
        std::copy(values.begin(), values.begin() + n, result.elements);
        std::stable_sort(result.elements, result.elements + n);
    } else {
        // A digit that all keys share would leave the order as it is: its pass is skipped.
        int passes = 0;
        bool moves[digit_count];
        for (int d = 0; d < digit_count; ++d)
            passes += moves[d] = counts[d * digit_values + digit(values[0], d)] != n;
        double* from = values.data();
        double* to = result.elements;
        if (passes % 2 == 0) {
            std::copy(from, from + n, to);
            std::swap(from, to);
        }
        for (int d = 0; d < digit_count; ++d) {
            if (!moves[d])
                continue;
            std::uint32_t* next = &counts[d * digit_values];  // where each digit's next value goes
            std::uint32_t sum = 0;
            for (std::size_t x = 0; x < digit_values; ++x)
                sum += std::exchange(next[x], sum);
            for (std::size_t i = 0; i < n; ++i)
                to[next[digit(from[i], d)]++] = from[i];
            std::swap(from, to);
        }
    }
    result.keep(static_cast<int>(std::unique(result.elements, result.elements + n) - result.elements));
    return result;
}

halmaz::halmaz(const halmaz& other) : halmaz(of_size(static_cast<std::size_t>(other.count)))
{
    std::copy(other.elements, other.elements + count, elements);
}

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
