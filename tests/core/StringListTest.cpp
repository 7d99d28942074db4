#include <gtest/gtest.h>

#include "platform/core/Classes.h"

TEST(StringList, IndexErrorsNameTheIndex) {
    TStringList l{"a", "b"};
    EXPECT_EQ(l[1], "b");
    try {
        l.Delete(2);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(l.Get(-1), EStringListError);
}

TEST(StringList, AssignCopiesAndTextRoundTrips) {
    TStringList a{"x", "y"};
    TStringList b{"old"};
    b.Assign(a);
    a.Put(0, "changed");
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(b[0], "x");
    EXPECT_EQ(b.Text(), "x\ny\n");
    b.SetText("1\r\n2\n3");
    EXPECT_EQ(b.Count(), 3);
    EXPECT_EQ(b[2], "3");
}

TEST(Component, OwnerDestroysOwned) {
    struct Probe : TComponent {
        Probe(TComponent* o, int* c) : TComponent(o), count(c) {}
        ~Probe() override { ++*count; }
        int* count;
    };
    int destroyed = 0;
    {
        TComponent owner(nullptr);
        new Probe(&owner, &destroyed);
        auto* second = new Probe(&owner, &destroyed);
        delete second;  // leaves its owner's list
        EXPECT_EQ(owner.ComponentCount(), 1);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(Palette, RegistersOncePerClass) {
    RegisterComponents("Varnell", {"TProbeA"});
    RegisterComponents("Varnell", {"TProbeA"});
    int n = 0;
    for (const auto& e : RegisteredComponents())
        if (e.className == "TProbeA") {
            ++n;
            EXPECT_EQ(e.page, "Varnell");
        }
    EXPECT_EQ(n, 1);
}
