#ifndef NEARSHAPE_PROMPTS_H
#define NEARSHAPE_PROMPTS_H

#include <cctype>
#include <iostream>
#include <string>

// Thrown when standard input can't deliver the answer asked for: it has ended, or what
// stands there isn't a value of the type (an int out of range and an overflowing double
// included). main reports it and ends the run.
struct BadInput {};

template <typename T>
T read_answer()
{
    T value;
    if (!(std::cin >> value))
        throw BadInput{};
    return value;
}

// A two-way menu: asks until the answer, in either case, is one of the two keys, and leaves
// the answer in lower case.
inline void ChooseBetween(std::string title, std::string first_label, char first_key, std::string second_label,
                          char second_key, char& answer)
{
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    do {
        std::cout << '\n';
        std::cout << title << ":" << '\n';
        std::cout << first_label << " [" << first_key << "]" << '\n';
        std::cout << second_label << " [" << second_key << "]" << '\n';
        std::cout << '\n';
        std::cout << "Valasztas: ";
        answer = lower(read_answer<char>());
    } while (answer != lower(first_key) && answer != lower(second_key));
}

// Asks for a number until it is at least the minimum.
template <typename T>
void SetData(std::string label, T minimum, T& value)
{
    for (;;) {
        std::cout << '\n';
        std::cout << label << " (min. " << minimum << "): ";
        value = read_answer<T>();
        if (!(value < minimum))
            return;
        std::cout << '\n';
        std::cout << minimum << " a megadhato legkisebb ertek!" << '\n';
    }
}

#endif
