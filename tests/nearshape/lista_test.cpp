#include "lista.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = lista<int>;

template <typename Step>
int thrown(Step step)
{
    try {
        step();
    } catch (List::Exceptions e) {
        return e;
    }
    return -1;
}

std::vector<int> walk(List& list)
{
    list.First();
    std::vector<int> seen{list.GetValue()};
    for (; !list.LastElement(); seen.push_back(list.GetValue()))
        list.Next();
    return seen;
}

TEST(Lista, CursorAndInsertion)
{
    List list;
    EXPECT_EQ((std::vector<int>{List::EmptyList, List::EndOfList, List::NoCurrentElement}),
              (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(thrown([&] { list.First(); }), List::EmptyList);
    EXPECT_EQ(thrown([&] { list.GetValue(); }), List::NoCurrentElement);
    EXPECT_EQ(thrown([&] { list.LastElement(); }), List::NoCurrentElement);
    EXPECT_EQ(thrown([&] { list.Next(); }), List::NoCurrentElement);

    for (int v : {1, 2, 3})
        list.Insert(v);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(thrown([&] { list.Next(); }), List::EndOfList);
    EXPECT_EQ(list.GetValue(), 3);  // the failed Next left the cursor where it was

    list.First();  // an insert goes right after the cursor, and the cursor onto it
    list.Insert(4);
    EXPECT_EQ(list.GetValue(), 4);
    list.Insert(5);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 4, 5, 2, 3}));
}

}  // namespace
