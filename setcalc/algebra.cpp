#include "algebra.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>

// Every walk compares a[i] with b[j] in the same order: a[i] smaller, equal, a[i] greater.
// Scratch buffers hold the result until its size is known; the result then gets an exactly
// sized copy.

halmaz operator+(const halmaz& a, const halmaz& b)
{
    const std::size_t room = static_cast<std::size_t>(a.count) + static_cast<std::size_t>(b.count);
    if (room == 0)
        return halmaz();
    if (room > static_cast<std::size_t>(std::numeric_limits<int>::max()))  // beyond an int count
        throw std::bad_alloc();
    std::unique_ptr<double[]> buffer(new double[room]);
    int i = 0, j = 0, k = 0;
    while (i < a.count && j < b.count) {
        if (b.elements[j] > a.elements[i]) {
            buffer[k++] = a.elements[i++];
        } else {
            if (a.elements[i] == b.elements[j])
                ++i;
            buffer[k++] = b.elements[j++];
        }
    }
    double* end = std::copy(a.elements + i, a.elements + a.count, buffer.get() + k);
    end = std::copy(b.elements + j, b.elements + b.count, end);
    return halmaz::from_block(buffer.get(), static_cast<int>(end - buffer.get()));
}

halmaz operator-(const halmaz& a, const halmaz& b)
{
    if (a.count <= 0)
        return halmaz();
    std::unique_ptr<double[]> buffer(new double[a.count]);
    int i = 0, j = 0, k = 0;
    while (i < a.count && j < b.count) {
        if (b.elements[j] > a.elements[i]) {
            buffer[k++] = a.elements[i++];
        } else if (a.elements[i] == b.elements[j]) {
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    const double* end = std::copy(a.elements + i, a.elements + a.count, buffer.get() + k);
    return halmaz::from_block(buffer.get(), static_cast<int>(end - buffer.get()));
}

halmaz operator*(const halmaz& a, const halmaz& b)
{
    const int room = std::min(a.count, b.count);
    halmaz result;
    if (room <= 0)
        return result;
    result.elements = new double[room];
    int i = 0, j = 0;
    while (i < a.count && j < b.count) {
        if (b.elements[j] > a.elements[i]) {
            ++i;
        } else if (a.elements[i] == b.elements[j]) {
            result.elements[result.count++] = a.elements[i];
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    // With nothing in common the reserved array goes, so an empty set holds none.
    if (result.count == 0) {
        delete[] result.elements;
        result.elements = nullptr;
    }
    return result;
}

halmaz metszet(halmaz a, halmaz b)
{
    const int room = std::min(a.count, b.count);
    if (room <= 0)
        return halmaz();
    std::unique_ptr<double[]> buffer(new double[room]);
    int i = 0, j = 0, k = 0;
    while (i < a.count && j < b.count) {
        if (b.elements[j] > a.elements[i]) {
            ++i;
        } else if (a.elements[i] == b.elements[j]) {
            buffer[k++] = a.elements[i];
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    return halmaz::from_block(buffer.get(), k);
}

// The elements of exactly one operand: the same result as (a + b) - (a * b) in one walk.
halmaz szim_dif(halmaz a, halmaz b)
{
    const std::size_t room = static_cast<std::size_t>(a.count) + static_cast<std::size_t>(b.count);
    if (room == 0)
        return halmaz();
    if (room > static_cast<std::size_t>(std::numeric_limits<int>::max()))  // beyond an int count
        throw std::bad_alloc();
    std::unique_ptr<double[]> buffer(new double[room]);
    int i = 0, j = 0, k = 0;
    while (i < a.count && j < b.count) {
        if (b.elements[j] > a.elements[i]) {
            buffer[k++] = a.elements[i++];
        } else if (a.elements[i] == b.elements[j]) {
            ++i;
            ++j;
        } else {
            buffer[k++] = b.elements[j++];
        }
    }
    double* end = std::copy(a.elements + i, a.elements + a.count, buffer.get() + k);
    end = std::copy(b.elements + j, b.elements + b.count, end);
    return halmaz::from_block(buffer.get(), static_cast<int>(end - buffer.get()));
}

void show_result(halmaz h, std::string caption, console::Output& out)
{
    out << '\n';
    out << caption << '\n';
    h.kiir(out);
    out << '\n';
}
