#include "components/Vparser/NumberTextMemo.h"

#include <memory>

NumberTextMemo::Slot* NumberTextMemo::MakeTable() {
    // Owns the table and frees it when the thread ends.
    thread_local std::unique_ptr<Slot[]> owner;
    owner = std::make_unique<Slot[]>(std::size_t{1} << kSlotBits);
    table_ = owner.get();
    return table_;
}
