#include "runtime/StringList.h"

#include "runtime/Text.h"

namespace zt {

void StringList::Add(std::wstring line) {
    Changing();
    lines_.push_back(std::move(line));
    Changed();
}

void StringList::Delete(std::size_t index) {
    Changing();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
}

void StringList::Clear() {
    if (lines_.empty())
        return;
    Changing();
    lines_.clear();
    Changed();
}

long long StringList::IndexOf(std::wstring_view text) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (SameTextLocale(lines_[i], text))
            return static_cast<long long>(i);
    return -1;
}

long long StringList::IndexOfName(std::wstring_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::size_t equals = lines_[i].find(L'=');
        if (equals != std::wstring::npos && SameTextLocale(std::wstring_view(lines_[i]).substr(0, equals), name))
            return static_cast<long long>(i);
    }
    return -1;
}

std::wstring StringList::Value(std::wstring_view name) const {
    const long long index = IndexOfName(name);
    if (index < 0)
        return {};
    const std::wstring& line = lines_[static_cast<std::size_t>(index)];
    return line.substr(line.find(L'=') + 1);
}

void StringList::BeginUpdate() {
    if (updateCount_++ == 0 && OnChanging)
        OnChanging();
}

void StringList::EndUpdate() {
    if (--updateCount_ == 0 && OnChange)
        OnChange();
}

void StringList::Changing() {
    if (updateCount_ == 0 && OnChanging)
        OnChanging();
}

void StringList::Changed() {
    if (updateCount_ == 0 && OnChange)
        OnChange();
}

} // namespace zt
