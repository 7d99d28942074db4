#pragma once
// One running copy per user. The first copy holds the name; a second copy
// asks it to raise itself and ends.
#include <functional>
#include <memory>

#include "platform/core/System.h"

class ISingleInstance {
public:
    virtual ~ISingleInstance() = default;
    // Claims the name. False when another copy already holds it; that copy
    // has then been asked to raise itself.
    virtual bool Claim() = 0;
    // Called in the first copy, on the GUI thread, when a second copy asks.
    std::function<void()> OnRaiseRequest;
};

// The name is made per user (the uid is appended).
std::unique_ptr<ISingleInstance> CreateSingleInstance(const AnsiString& name);
