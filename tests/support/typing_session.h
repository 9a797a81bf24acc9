// A user typing into the six sheets of a headless window, keystroke by
// keystroke, with the bookkeeping needed to check every field afterwards.
// The fuzz target and the keystroke soak both drive the window through it.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/headless_window.h"

namespace vantrel::stress {

class TypingSession {
public:
    TypingSession();

    // Every keystroke ends with its key release, which recalculates the sheet
    // of the focused field, as the window does.
    void Type(char key);  // through the keystroke filter
    void Backspace();
    void MoveCaret(std::size_t position);
    void Paste(std::string_view text);  // inserted unfiltered, as a paste is
    void SelectAll();
    void Clear();  // select all, then backspace
    // Tab into a field (wraps around the 50). The Tab's release recalculates
    // from the new field only when its press was made in a value field, not
    // on the page control.
    void Focus(std::size_t fieldIndex, bool releaseCounts = true);
    // Moves the focus onto the page control and releases a key there: no
    // recalculation may happen and no field may change.
    void SwitchSheet(std::size_t sheetIndex);

    // Checks every sheet against the last recalculation that succeeded on it.
    // Returns the first fault found, empty when all sheets hold.
    std::string Check() const;
    // The same for the sheet of the last key release only: every keystroke
    // already proves that it changed no other sheet.
    std::string CheckLastSheet() const;

    const HeadlessWindow& Window() const { return window_; }
    std::size_t Refusals() const { return refusals_; }

private:
    // What a sheet was last recalculated from, and which fields the user has
    // edited since (those are not the engine's to check).
    struct SheetState {
        std::string source;
        std::string sourceText;
        std::set<std::string, std::less<>> edited;
    };

    void Edited();
    void KeyUp();
    void CheckTypedText();
    std::vector<std::string> Snapshot() const;
    std::size_t SheetOf(std::string_view field) const;
    std::string CheckSheetState(std::size_t sheet) const;

    HeadlessWindow window_;
    std::string focused_;  // empty: the focus is on the page control
    // Fields holding pasted text; every other field holds only what the
    // engine wrote and the keystroke filter let through.
    std::set<std::string, std::less<>> pasted_;
    std::vector<HeadlessField*> fields_;  // in layout-name order, for quick snapshots
    std::vector<std::size_t> sheetOfField_;
    std::vector<SheetState> sheets_;
    std::size_t lastSheet_ = 0;
    std::size_t refusals_ = 0;
    std::string fault_;
};

}  // namespace vantrel::stress
