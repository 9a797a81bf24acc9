#include "tests/support/headless_window.h"

#include <algorithm>
#include <stdexcept>

namespace vantrel {

void HeadlessField::WriteText(const std::string& text) {
    text_ = text;
    caret_ = text_.size();
    selectionLength_ = 0;
    if (onWrite_) {
        onWrite_();
    }
}

void HeadlessField::Insert(std::string_view typed) {
    if (selectionLength_ > 0) {
        text_.erase(selectionStart_, selectionLength_);
        caret_ = selectionStart_;
        selectionLength_ = 0;
    }
    text_.insert(caret_, typed);
    caret_ += typed.size();
}

void HeadlessField::Backspace() {
    if (selectionLength_ > 0) {
        Insert({});
    } else if (caret_ > 0) {
        text_.erase(--caret_, 1);
    }
}

void HeadlessField::MoveCaret(std::size_t position) {
    caret_ = std::min(position, text_.size());
    selectionLength_ = 0;
}

void HeadlessField::SelectAll() {
    selectionStart_ = 0;
    selectionLength_ = text_.size();
    caret_ = text_.size();
}

HeadlessWindow::HeadlessWindow(const std::vector<std::string_view>& layoutNames) {
    for (const auto name : layoutNames) {
        auto [at, added] = fields_.emplace(std::string(name), std::make_unique<HeadlessField>());
        if (!added) {
            throw std::invalid_argument("duplicate field name " + at->first);
        }
        names_.emplace_back(name);
    }
}

HeadlessField& HeadlessWindow::Edit(std::string_view layoutName) const {
    const auto at = fields_.find(layoutName);
    if (at == fields_.end()) {
        throw std::out_of_range("no value field named " + std::string(layoutName));
    }
    return *at->second;
}

void HeadlessWindow::Focus(std::string_view layoutName) {
    focused_ = &Edit(layoutName);
    focused_->SelectAll();
}

}  // namespace vantrel
