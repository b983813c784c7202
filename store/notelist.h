#pragma once

#include "store/records.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <unordered_map>
#include <vector>

// The store's list of notes, in the order the main window lists them.
//
// Each note lives in its own allocation, so a note handed out by a lookup stays where it is
// while notes are appended, sorted or other notes removed. Lookups by id go through an index
// that always gives the same answer as a walk from the front (the first note with that id);
// it is rebuilt lazily after anything that could change that answer.
class TNoteList {
    using Storage = std::vector<std::unique_ptr<TNote>>;

    template <typename Base, typename Value>
    class Iter {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::remove_const_t<Value>;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        Iter() = default;
        explicit Iter(Base it) : m_it(it) {}
        reference operator*() const { return **m_it; }
        pointer operator->() const { return m_it->get(); }
        Iter& operator++() { ++m_it; return *this; }
        Iter operator++(int) { Iter old = *this; ++m_it; return old; }
        Iter& operator--() { --m_it; return *this; }
        difference_type operator-(const Iter& other) const { return m_it - other.m_it; }
        bool operator==(const Iter& other) const = default;

    private:
        Base m_it{};
    };

public:
    using iterator = Iter<Storage::iterator, TNote>;
    using const_iterator = Iter<Storage::const_iterator, const TNote>;

    iterator begin() { return iterator(m_notes.begin()); }
    iterator end() { return iterator(m_notes.end()); }
    const_iterator begin() const { return const_iterator(m_notes.begin()); }
    const_iterator end() const { return const_iterator(m_notes.end()); }

    std::size_t size() const { return m_notes.size(); }
    bool empty() const { return m_notes.empty(); }
    TNote& operator[](std::size_t i) { return *m_notes[i]; }
    const TNote& operator[](std::size_t i) const { return *m_notes[i]; }
    TNote& front() { return *m_notes.front(); }
    TNote& back() { return *m_notes.back(); }

    // Appends a copy at the back.
    TNote& push_back(TNote note) {
        m_notes.push_back(std::make_unique<TNote>(std::move(note)));
        TNote& added = *m_notes.back();
        if (m_indexValid)
            m_index.try_emplace(added.Id, &added); // a repeated id keeps pointing at the first
        return added;
    }

    // Removes, in one pass, every note equal to the key (same id). Returns how many went.
    std::size_t removeAll(const TNote& key) {
        const auto before = m_notes.size();
        std::erase_if(m_notes, [&](const std::unique_ptr<TNote>& n) { return *n == key; });
        const auto removed = before - m_notes.size();
        if (removed && m_indexValid)
            m_index.erase(key.Id);
        return removed;
    }

    // The first note from the front equal to the key, or nullptr.
    TNote* find(const TNote& key) {
        if (!m_indexValid)
            rebuildIndex();
        const auto it = m_index.find(key.Id);
        return it == m_index.end() ? nullptr : it->second;
    }

    // Stable sort by a key taken once from each note; notes with equal keys keep their
    // relative order. Sorting small keys side by side and then moving each note once keeps the
    // comparisons away from notes scattered over the heap.
    template <typename KeyOf, typename Less>
    void stableSortByKey(KeyOf keyOf, Less less) {
        if (m_notes.size() < 2)
            return;
        using Key = decltype(keyOf(std::declval<const TNote&>()));
        std::vector<std::pair<Key, std::size_t>> keyed;
        keyed.reserve(m_notes.size());
        for (std::size_t i = 0; i < m_notes.size(); ++i)
            keyed.emplace_back(keyOf(*m_notes[i]), i);
        const auto byKey = [&](const auto& a, const auto& b) { return less(a.first, b.first); };
        if (std::is_sorted(keyed.begin(), keyed.end(), byKey))
            return;
        std::stable_sort(keyed.begin(), keyed.end(), byKey);
        Storage sorted;
        sorted.reserve(m_notes.size());
        for (const auto& k : keyed)
            sorted.push_back(std::move(m_notes[k.second]));
        m_notes = std::move(sorted);
        invalidateIndex();
    }

    void clear() {
        m_notes.clear();
        invalidateIndex();
    }

    // An id of a note may have been changed in place: the index must not trust it any more.
    void invalidateIndex() {
        m_index.clear();
        m_indexValid = false;
    }

private:
    void rebuildIndex() {
        m_index.clear();
        m_index.reserve(m_notes.size());
        for (const auto& n : m_notes)
            m_index.try_emplace(n->Id, n.get());
        m_indexValid = true;
    }

    Storage m_notes;
    std::unordered_map<int32_t, TNote*> m_index;
    bool m_indexValid = false;
};
