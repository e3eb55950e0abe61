#include "lista.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = lista<int>;

template <typename Step>
void expect_error(List& list, Step step, List::Exceptions expected)
{
    try {
        step(list);
        ADD_FAILURE() << "no exception";
    } catch (List::Exceptions e) {
        EXPECT_EQ(e, expected);
    }
}

std::vector<int> walk(List& list)
{
    list.First();
    std::vector<int> seen{list.GetValue()};
    for (; !list.LastElement(); seen.push_back(list.GetValue()))
        list.Next();
    return seen;
}

TEST(Lista, FreshListHasNoCursor)
{
    List list;
    expect_error(list, [](List& l) { l.First(); }, List::EmptyList);
    expect_error(list, [](List& l) { l.GetValue(); }, List::NoCurrentElement);
    expect_error(list, [](List& l) { l.LastElement(); }, List::NoCurrentElement);
    expect_error(list, [](List& l) { l.Next(); }, List::NoCurrentElement);
    list.Insert(7);
    EXPECT_EQ(list.GetValue(), 7);
    EXPECT_TRUE(list.LastElement());
}

TEST(Lista, InsertsFollowTheCursor)
{
    List list;
    for (int v : {1, 2, 3})
        list.Insert(v);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 2, 3}));
    expect_error(list, [](List& l) { l.Next(); }, List::EndOfList);
    EXPECT_EQ(list.GetValue(), 3);  // the failed Next left the cursor where it was

    list.First();
    list.Insert(4);
    EXPECT_EQ(list.GetValue(), 4);
    list.Insert(5);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 4, 5, 2, 3}));
}

}  // namespace
