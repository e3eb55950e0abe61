// branchwork: builds a three-way search tree from typed integers, prints it in three orders,
// looks for a positive value after a run of negatives, removes a leaf, counts, searches and
// empties the tree.
#include <cstdlib>
#include <iostream>
#include <new>

#include "actions.h"
#include "tree.h"

namespace {

// Thrown when standard input can't deliver the integer asked for.
struct ReadFailed {};

int ReadInt() {
  int value;
  if (!(std::cin >> value)) throw ReadFailed();
  return value;
}

// Asks until the answer is at least `minimum`, complaining after each one below it.
int AskAtLeast(const char* prompt, int minimum, const char* complaint) {
  for (;;) {
    std::cout << std::endl << prompt;
    const int answer = ReadInt();
    if (answer >= minimum) return answer;
    std::cout << std::endl << complaint << std::endl;
  }
}

// Memory has run out. There may be none left even for the exception that would carry this
// to main, so the run ends right where the allocation failed.
[[noreturn]] void OutOfMemory() {
  std::cout << std::endl << "Nincs eleg memoria!" << std::endl;
  std::_Exit(4);
}

}  // namespace

int main() {
  std::set_new_handler(OutOfMemory);
  try {
    std::cout << "MUVELETEK 3-ARIS FAKKAL" << std::endl;
    std::cout << "(Integer ertekekkel dolgozom)" << std::endl;
    const int count = AskAtLeast("A fa elemszama: ", 0, "Nem adhat meg negativ erteket!");

    Tree<int> tree;
    for (int i = 0; i < count; ++i) {  // from 0, so a count of the largest int can't overflow i
      std::cout << i + 1 << ". elem: ";
      tree.Insert(ReadInt());
    }
    std::cout << std::endl;
    Fa_Kiir(tree);

    std::cout << std::endl;
    std::cout << "Hany negativ ertek utan talaljak egy pozitivat?" << std::endl;
    std::cout << "(Inorder bejarassal dolgozom)" << std::endl;
    const int answer = AskAtLeast("Valasz: ", 1, "Minimum ertek: 1.");
    Negatives negatives;
    negatives.SetNumber(answer);
    tree.InOrder(&negatives);
    std::cout << std::endl;
    if (negatives.found) {
      std::cout << "Talaltam: " << negatives.result << "." << std::endl;
    } else {
      std::cout << "Nem talaltam." << std::endl;
    }

    std::cout << std::endl << "Level torlese (ertek szerint): ";
    const int leaf = ReadInt();
    std::cout << std::endl;
    try {
      tree.Remove(leaf);
      Fa_Kiir(tree);
    } catch (Tree<int>::Exception) {
      std::cout << "A torles nem sikerult!" << std::endl;
    }

    std::cout << std::endl << "A fa elemszama: " << tree.GetElementCount() << std::endl;

    std::cout << std::endl << "Keressuk: ";
    const int sought = ReadInt();
    std::cout << std::endl;
    if (tree.IsElement(sought)) {
      std::cout << "Megtalaltam." << std::endl;
    } else {
      std::cout << "Nem talalom." << std::endl;
    }

    std::cout << std::endl << "Fa kiuritese..." << std::endl << std::endl;
    try {
      tree.Empty();
      std::cout << "Kiurites utan:" << std::endl << std::endl;
      Fa_Kiir(tree);
    } catch (Tree<int>::Exception) {
      std::cout << "A fa mar ures." << std::endl;
    }
  } catch (const ReadFailed&) {
    std::cout << std::endl << "Hibas vagy hianyzo bemenet!" << std::endl;
    return 3;
  } catch (const std::bad_alloc&) {
    std::cout << std::endl << "Nincs eleg memoria!" << std::endl;
    return 4;
  }
  return 0;
}
