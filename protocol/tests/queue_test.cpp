// The received-message queue: first in, first out, each element with its sender's
// address; neither the queue nor its elements own what they hold.
#include "test_support.h"
#include "vaskmessage.h"
#include "vaskqueue.h"

#include <memory>
#include <vector>

namespace {

// An object that reports its deletion.
class Witness : public CObject {
public:
    explicit Witness(int* deaths) : deaths_(deaths) {}
    ~Witness() override { ++*deaths_; }

private:
    int* deaths_;
};

CPCvaskMessage* Reply(char letter, int function) {
    Bytes body = B({0, 0, (unsigned char)letter, function});
    unsigned char* cursor = body.data();
    return new CPCvaskMessage(CString("4/1"), cursor, (int)body.size());
}

TEST(Queue, AnEmptyQueueGivesNullAndStaysEmpty) {
    CObQueue queue;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(queue.First(), nullptr);
        EXPECT_EQ(queue.Dequeue(), nullptr);
        EXPECT_TRUE(queue.IsEmpty());
        EXPECT_EQ(queue.GetCount(), 0);
    }
}

TEST(Queue, ElementsLeaveInTheOrderTheyCame) {
    CObQueue queue;
    int deaths = 0;
    std::vector<std::unique_ptr<Witness>> objects;
    for (int k = 0; k < 25; ++k) objects.emplace_back(new Witness(&deaths));
    // Fill past several node blocks, take some, fill again, then drain.
    size_t in = 0, out = 0;
    for (; in < 15; ++in) queue.Enqueue(objects[in].get());
    for (; out < 7; ++out) {
        EXPECT_EQ(queue.First(), objects[out].get());
        EXPECT_EQ(queue.First(), objects[out].get());
        EXPECT_EQ(queue.Dequeue(), objects[out].get());
    }
    for (; in < objects.size(); ++in) queue.Enqueue(objects[in].get());
    EXPECT_EQ(queue.GetCount(), 18);
    while (CObject* head = queue.Dequeue()) EXPECT_EQ(head, objects[out++].get());
    EXPECT_EQ(out, objects.size());
    EXPECT_EQ(queue.First(), nullptr);
    EXPECT_EQ(deaths, 0);
}

TEST(Queue, DestroyingTheQueueLeavesTheObjects) {
    int deaths = 0;
    Witness a(&deaths), b(&deaths);
    {
        CObQueue queue;
        queue.Enqueue(&a);
        queue.Enqueue(&b);
    }
    EXPECT_EQ(deaths, 0);
}

TEST(AddressedMessage, KeepsACopyOfTheAddressAndLeavesTheMessageAlive) {
    CString address("3/2");
    CPCvaskMessage* message = Reply('J', 1);
    ASSERT_EQ(message->GetCommand(), 'J');
    CAddressedMessage* element = new CAddressedMessage(address, message);
    address = "9/9";
    EXPECT_EQ(std::string(element->address), "3/2");
    EXPECT_EQ(element->message, message);
    EXPECT_TRUE(element->IsKindOf(RUNTIME_CLASS(CObject)));
    delete element;
    // Still a whole message after its element is gone.
    EXPECT_EQ(message->GetCommand(), 'J');
    EXPECT_EQ(message->GetFunction(), 1);
    delete message;
}

TEST(AddressedMessage, DrainingAQueueOfReceivedMessages) {
    CObQueue queue;
    const char* senders[] = {"1/1", "2/1", "12/4"};
    const int functions[] = {1, 2, 3};
    for (int k = 0; k < 3; ++k)
        queue.Enqueue(new CAddressedMessage(CString(senders[k]), Reply('J', functions[k])));
    int k = 0;
    while (CObject* head = queue.Dequeue()) {
        CAddressedMessage* element = static_cast<CAddressedMessage*>(head);
        EXPECT_EQ(std::string(element->address), senders[k]);
        EXPECT_EQ(element->message->GetFunction(), functions[k]);
        delete element->message;
        delete element;
        ++k;
    }
    EXPECT_EQ(k, 3);
    EXPECT_TRUE(queue.IsEmpty());
}

}  // namespace
