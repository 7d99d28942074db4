#pragma once
// TVEdit: a single-line edit that completes typed text from a list of
// known texts, selecting the added part so that typing on replaces it.
#include <functional>
#include <memory>

#include "platform/gui/StdCtrls.h"

class TVEdit : public TEdit {
public:
    explicit TVEdit(TComponent* owner);
    ~TVEdit() override;

    // The known texts, searched in order. Assigning copies the given
    // strings into the edit's own list (nullptr empties it).
    TStrings* DataList() const { return dataList_.get(); }
    void SetDataList(const TStrings* value);
    // Beginnings for which no completion is offered.
    TStrings* ExclusionList() const { return exclusionList_.get(); }
    void SetExclusionList(const TStrings* value);

    bool CaseSensitiveData = false;
    bool CaseSensitiveExlusion = true;  // the name keeps its published spelling
    // Complete only when exactly one entry matches.
    bool OnlyIfUnequivocal = false;
    // When false, the edit takes the focus back whenever it loses it.
    bool ExitAfterTab = true;

    // Called with the proposal and its selection start before they are shown.
    std::function<void(TObject* sender, AnsiString& selText, int& selPos)> OnSelect;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    // Runs the completion; OnKeyUp is not raised.
    void KeyUp(WORD& key, TShiftState shift) override;
    void DoExit() override;
    // Lets OnSelect change the proposal and the selection start at `selPos`.
    virtual AnsiString Select(const AnsiString& text, int* selPos);

private:
    void Complete();
    std::unique_ptr<TStringList> dataList_;
    std::unique_ptr<TStringList> exclusionList_;
};

namespace Vedit {
void Register();
// Keys whose release never starts a completion (Windows virtual-key codes).
bool KeyStartsNoCompletion(WORD key);
}  // namespace Vedit
