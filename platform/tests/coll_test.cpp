// Arrays and lists: growth, insertion and removal at the edges, iteration.
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <class A>
std::vector<std::string> Items(const A& a) {
    std::vector<std::string> v;
    for (int i = 0; i < a.GetSize(); ++i) v.push_back((LPCSTR)a[i]);
    return v;
}

std::vector<std::string> Items(const CStringList& l) {
    std::vector<std::string> v;
    for (POSITION pos = l.GetHeadPosition(); pos != NULL;) v.push_back((LPCSTR)l.GetNext(pos));
    return v;
}

using V = std::vector<std::string>;

TEST(Array, InsertAndRemoveAtTheEdges) {
    CStringArray a;
    a.InsertAt(0, "b");
    a.InsertAt(0, "a");
    a.InsertAt(2, "c");
    EXPECT_EQ(Items(a), (V{"a", "b", "c"}));
    a.InsertAt(5, "f");  // past the end: the gap is filled with empty elements
    EXPECT_EQ(Items(a), (V{"a", "b", "c", "", "", "f"}));
    a.InsertAt(1, "x", 2);
    EXPECT_EQ(Items(a), (V{"a", "x", "x", "b", "c", "", "", "f"}));

    a.RemoveAt(1, 2);
    EXPECT_EQ(Items(a), (V{"a", "b", "c", "", "", "f"}));
    a.RemoveAt(3, 100);  // the count is clipped to what is there
    EXPECT_EQ(Items(a), (V{"a", "b", "c"}));
    a.RemoveAt(3);   // past the end: nothing
    a.RemoveAt(-1);  // before the start: nothing
    a.RemoveAt(0, 0);
    EXPECT_EQ(Items(a), (V{"a", "b", "c"}));
    a.RemoveAt(2);
    a.RemoveAt(0);
    EXPECT_EQ(Items(a), (V{"b"}));
    EXPECT_EQ(a.GetUpperBound(), 0);
}

TEST(Array, SetSizeKeepsAndReleasesElements) {
    CStringArray a;
    a.SetSize(3);
    EXPECT_EQ(Items(a), (V{"", "", ""}));
    a[1] = "kept";
    a.SetSize(200, 7);
    EXPECT_EQ(a.GetSize(), 200);
    EXPECT_STREQ(a[1], "kept");
    a.SetSize(2);
    EXPECT_EQ(Items(a), (V{"", "kept"}));
    a.SetSize(-5);  // taken as 0
    EXPECT_TRUE(a.IsEmpty());
    a.SetAtGrow(3, "z");
    EXPECT_EQ(Items(a), (V{"", "", "", "z"}));
    a.FreeExtra();
    EXPECT_EQ(a.GetSize(), 4);
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(Array, AddingAnElementOfTheSameArrayWhileItGrows) {
    CStringArray a;
    a.Add("first");
    for (int i = 0; i < 100; ++i) a.Add(a[0]);  // each Add may move the storage
    for (int i = 0; i < a.GetSize(); ++i) ASSERT_STREQ(a[i], "first") << i;
    CArray<int, const int&> n;
    for (int i = 0; i < 50; ++i) n.Add(i);
    n.InsertAt(0, n[49], 3);
    EXPECT_EQ(n[0], 49);
    EXPECT_EQ(n[2], 49);
    EXPECT_EQ(n[3], 0);
    EXPECT_EQ(n.GetSize(), 53);
}

TEST(Array, AppendCopyAndInsertArray) {
    CStringArray a, b;
    a.Add("1");
    a.Add("2");
    b.Add("x");
    EXPECT_EQ(a.Append(a), 2);
    EXPECT_EQ(Items(a), (V{"1", "2", "1", "2"}));
    a.InsertAt(1, &b);
    EXPECT_EQ(Items(a), (V{"1", "x", "2", "1", "2"}));
    b.Copy(a);
    EXPECT_EQ(Items(b), Items(a));
    b.Copy(b);
    EXPECT_EQ(Items(b), Items(a));
    CPtrArray p;
    int x = 0;
    p.Add(&x);
    p.Add(NULL);
    EXPECT_EQ(p.GetAt(0), &x);
    EXPECT_EQ(p.GetData()[1], nullptr);
}

TEST(List, AddRemoveAndIterate) {
    CStringList l;
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(l.GetHeadPosition(), nullptr);
    // Removing from an empty list yields an empty element and leaves the list intact.
    EXPECT_TRUE(l.RemoveHead().IsEmpty());
    EXPECT_TRUE(l.RemoveTail().IsEmpty());
    EXPECT_EQ(l.GetCount(), 0);

    l.AddTail("b");
    l.AddHead("a");
    l.AddTail("c");
    EXPECT_EQ(Items(l), (V{"a", "b", "c"}));
    EXPECT_STREQ(l.GetHead(), "a");
    EXPECT_STREQ(l.GetTail(), "c");

    POSITION pos = l.Find("b");
    ASSERT_NE(pos, nullptr);
    l.InsertBefore(pos, "a2");
    l.InsertAfter(pos, "b2");
    l.InsertBefore(NULL, "head");
    l.InsertAfter(NULL, "tail");
    EXPECT_EQ(Items(l), (V{"head", "a", "a2", "b", "b2", "c", "tail"}));

    EXPECT_STREQ(l.RemoveHead(), "head");
    EXPECT_STREQ(l.RemoveTail(), "tail");
    EXPECT_EQ(l.GetCount(), 5);

    // Removing the element just returned by GetNext while walking on.
    for (POSITION p = l.GetHeadPosition(); p != NULL;) {
        POSITION here = p;
        CString s = l.GetNext(p);
        if (s.Find('2') >= 0) l.RemoveAt(here);
    }
    EXPECT_EQ(Items(l), (V{"a", "b", "c"}));

    std::vector<std::string> backwards;
    for (POSITION p = l.GetTailPosition(); p != NULL;) backwards.push_back((LPCSTR)l.GetPrev(p));
    EXPECT_EQ(backwards, (V{"c", "b", "a"}));
}

TEST(List, FindAndFindIndex) {
    CStringList l;
    for (const char* s : {"x", "y", "x", "z"}) l.AddTail(s);
    POSITION first = l.Find("x");
    POSITION second = l.Find("x", first);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(l.Find("x", second), nullptr);
    EXPECT_EQ(l.Find("missing"), nullptr);
    EXPECT_EQ(l.FindIndex(2), second);
    EXPECT_EQ(l.FindIndex(4), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);
    l.SetAt(second, "w");
    EXPECT_EQ(Items(l), (V{"x", "y", "w", "z"}));
}

TEST(List, ObjectListAppendsAListOnceEvenItself) {
    CObList a(10), b;
    CStringArray x1, x2;  // any objects will do as elements
    a.AddTail(&x1);
    b.AddTail(&x2);
    a.AddTail(&b);  // a list argument appends its elements
    EXPECT_EQ(a.GetCount(), 2);
    EXPECT_EQ(a.GetTail(), &x2);
    a.AddTail(&a);
    EXPECT_EQ(a.GetCount(), 4);
    a.AddHead(&b);
    EXPECT_EQ(a.GetHead(), &x2);
    EXPECT_EQ(a.GetCount(), 5);
    EXPECT_EQ(a.RemoveHead(), &x2);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.RemoveHead(), nullptr);

    CPtrList p;
    int v = 0;
    p.AddTail(&v);
    EXPECT_EQ(p.GetHead(), &v);
}

}  // namespace
