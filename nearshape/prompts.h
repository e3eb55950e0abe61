#ifndef NEARSHAPE_PROMPTS_H
#define NEARSHAPE_PROMPTS_H

#include "console/input.h"
#include "console/output.h"

#include <cctype>
#include <string>

// A two-way menu: asks until the answer, in either case, is one of the two keys, and leaves
// the answer in lower case.
inline void ChooseBetween(std::string title, std::string first_label, char first_key, std::string second_label,
                          char second_key, char& answer, console::Input& in, console::Output& out)
{
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    do {
        out << '\n';
        out << title << ":" << '\n';
        out << first_label << " [" << first_key << "]" << '\n';
        out << second_label << " [" << second_key << "]" << '\n';
        out << '\n';
        out << "Valasztas: ";
        answer = lower(in.read<char>());
    } while (answer != lower(first_key) && answer != lower(second_key));
}

// Asks for a number until it is at least the minimum.
template <typename T>
void SetData(std::string label, T minimum, T& value, console::Input& in, console::Output& out)
{
    for (;;) {
        out << '\n';
        out << label << " (min. " << minimum << "): ";
        value = in.read<T>();
        if (!(value < minimum))
            return;
        out << '\n';
        out << minimum << " a megadhato legkisebb ertek!" << '\n';
    }
}

#endif
