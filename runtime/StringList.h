#pragma once
// An ordered, unsorted list of text lines that doubles as a name-value list: a line's name is its
// text before the first "=". Lookups compare under the user locale's case-insensitive comparison.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

class StringList {
public:
    std::size_t Count() const { return lines_.size(); }
    const std::wstring& operator[](std::size_t index) const { return lines_[index]; }
    const std::vector<std::wstring>& Lines() const { return lines_; }

    void Add(std::wstring line);
    void Delete(std::size_t index);
    void Clear();

    // First line equal to text, or -1.
    long long IndexOf(std::wstring_view text) const;
    // First line that has an "=" and whose name matches, or -1.
    long long IndexOfName(std::wstring_view name) const;
    // The value of the first line with that name; empty text when no line carries it.
    std::wstring Value(std::wstring_view name) const;

    // Change notifications: while an update is open, the list reports one change when it starts
    // and one when it ends, not one per line.
    void BeginUpdate();
    void EndUpdate();
    std::function<void()> OnChanging;
    std::function<void()> OnChange;

private:
    void Changing();
    void Changed();

    std::vector<std::wstring> lines_;
    int updateCount_ = 0;
};

// Keeps a list's notifications suspended for a scope, on every path.
class ListUpdate {
public:
    explicit ListUpdate(StringList& list) : list_(list) { list_.BeginUpdate(); }
    ~ListUpdate() { list_.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    StringList& list_;
};

} // namespace zt
