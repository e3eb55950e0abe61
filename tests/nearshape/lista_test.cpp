#include "lista.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using List = lista<int>;

std::vector<int> walk(List& list)
{
    std::vector<int> seen;
    list.First();
    seen.push_back(list.GetValue());
    while (!list.LastElement()) {
        list.Next();
        seen.push_back(list.GetValue());
    }
    return seen;
}

TEST(Lista, FreshListHasNoCursor)
{
    List list;
    EXPECT_THROW(list.First(), List::Exceptions);
    try { list.First(); } catch (List::Exceptions e) { EXPECT_EQ(e, List::EmptyList); }
    for (auto step : {+[](List& l) { l.GetValue(); }, +[](List& l) { l.LastElement(); },
                      +[](List& l) { l.Next(); }}) {
        try {
            step(list);
            ADD_FAILURE() << "no exception";
        } catch (List::Exceptions e) {
            EXPECT_EQ(e, List::NoCurrentElement);
        }
    }
    list.Insert(7);
    EXPECT_EQ(list.GetValue(), 7);
    EXPECT_TRUE(list.LastElement());
}

TEST(Lista, InsertsAppendAndTheWalkEndsOnTheLast)
{
    List list;
    for (int v : {1, 2, 3})
        list.Insert(v);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 2, 3}));
    try {
        list.Next();
        ADD_FAILURE() << "no exception";
    } catch (List::Exceptions e) {
        EXPECT_EQ(e, List::EndOfList);
    }
    EXPECT_EQ(list.GetValue(), 3);  // the failed Next left the cursor where it was
}

TEST(Lista, InsertGoesRightAfterAMovedCursor)
{
    List list;
    for (int v : {1, 2, 3})
        list.Insert(v);
    list.First();
    list.Insert(4);
    EXPECT_EQ(list.GetValue(), 4);
    list.Insert(5);
    EXPECT_EQ(walk(list), (std::vector<int>{1, 4, 5, 2, 3}));
}

TEST(Lista, GetValueReturnsACopy)
{
    lista<std::vector<int>> list;
    list.Insert({1, 2});
    list.GetValue().push_back(3);
    EXPECT_EQ(list.GetValue().size(), 2u);
}

}  // namespace
