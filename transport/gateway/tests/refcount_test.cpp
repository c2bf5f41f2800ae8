// The library's reference-counted objects, handle table and intrusive containers.
#include "refcount.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace vaskgate;

namespace {

std::atomic<int> g_destroyed{0};

class Probe : public CLinkable {
public:
    int value = 0;

private:
    ~Probe() override { ++g_destroyed; }
};

class RefCountTest : public ::testing::Test {
protected:
    void SetUp() override { g_destroyed = 0; }
};

TEST_F(RefCountTest, CountSurvivesConcurrentAddRefAndRelease) {
    // Lines, requests and clients are released on the server's thread and on client
    // threads at once: a lost update here frees an object that is still in use.
    Probe* p = new Probe();
    constexpr int kThreads = 8, kRounds = 200000;
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            while (!go) {}
            for (int i = 0; i < kRounds; ++i) {
                p->AddRef();
                p->Release();
            }
        });
    go = true;
    for (auto& t : threads) t.join();
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_EQ(p->Count(), 1);
    p->Release();
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(RefCountTest, HandleLookupFindsOnlyLiveObjectsOfItsKind) {
    Probe* p = new Probe();
    ASSERT_TRUE(p->RegisterHandle(kLine));
    CRefCount* found = CRefCount::FindHandle(p, kLine);
    EXPECT_EQ(found, p);
    EXPECT_EQ(p->Count(), 2) << "a lookup takes a reference";
    found->Release();
    EXPECT_EQ(CRefCount::FindHandle(p, kServer), nullptr);
    EXPECT_EQ(CRefCount::FindHandle(nullptr, kLine), nullptr);
    const void* stale = p;
    p->Release();
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(CRefCount::FindHandle(stale, kLine), nullptr);
}

TEST_F(RefCountTest, NoReferenceIsTakenOnAnObjectAlreadyReleasedToZero) {
    Probe* p = new Probe();
    p->AddRef();
    EXPECT_TRUE(p->TryAddRef());
    EXPECT_EQ(p->Count(), 3);
    p->Release();
    p->Release();
    p->Release();
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(RefCountTest, QueueHoldsAReferenceOnEachElementInOrder) {
    CQueue<Probe> q;
    Probe* a = new Probe();
    Probe* b = new Probe();
    Probe* c = new Probe();
    a->value = 1;
    b->value = 2;
    c->value = 3;
    q.Push(a);
    q.Push(b);
    q.Push(c);
    for (Probe* p : {a, b, c}) {
        EXPECT_EQ(p->Count(), 2);
        p->Release();  // the queue's reference keeps them
    }
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_TRUE(q.Contains(b));
    int local = 0;
    EXPECT_FALSE(q.Contains(&local)) << "compares pointers, follows none";

    EXPECT_TRUE(q.Remove(b));
    EXPECT_EQ(g_destroyed, 1) << "removing releases";
    EXPECT_FALSE(q.Remove(b));
    Probe* first = q.Pop();
    ASSERT_EQ(first, a);
    EXPECT_EQ(first->Count(), 1) << "popping hands the reference over";
    first->Release();
    Probe* tail = q.Pop();
    ASSERT_EQ(tail, c);
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_EQ(q.Pop(), nullptr);
    // A queue emptied to nothing links at its tail again.
    q.Push(tail);
    tail->Release();
    Probe* d = new Probe();
    q.Push(d);
    d->Release();
    EXPECT_EQ(q.Pop(), tail);
    tail->Release();
    q.ReleaseAll();
    EXPECT_EQ(g_destroyed, 4);
}

TEST_F(RefCountTest, RemovingTheTailKeepsTheQueueLinked) {
    CQueue<Probe> q;
    Probe* a = new Probe();
    Probe* b = new Probe();
    q.Push(a);
    q.Push(b);
    EXPECT_TRUE(q.Remove(b));
    Probe* c = new Probe();
    q.Push(c);
    EXPECT_EQ(q.Pop(), a);
    EXPECT_EQ(q.Pop(), c);
    for (Probe* p : {a, b, c}) p->Release();
    a->Release();
    c->Release();
    EXPECT_EQ(g_destroyed, 3);
}

TEST_F(RefCountTest, ListFindTakesAReference) {
    CList<Probe> list;
    Probe* a = new Probe();
    a->value = 7;
    list.Add(a);
    Probe* found = list.Find([](Probe* p) { return p->value == 7; });
    ASSERT_EQ(found, a);
    EXPECT_EQ(a->Count(), 3);
    found->Release();
    EXPECT_EQ(list.Find([](Probe* p) { return p->value == 8; }), nullptr);
    a->Release();
    EXPECT_TRUE(list.Remove(a));
    EXPECT_EQ(g_destroyed, 1);
}

}  // namespace
