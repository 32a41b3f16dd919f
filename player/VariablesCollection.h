#pragma once

#include "ClassVariable.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// An ordered collection of ClassVariable, positions counted from 1 in the order of insertion;
// entries may carry a string key (compared without regard to case, as unique keys). Used for
// the game variables and for the areas hidden for good.
class VariablesCollection {
public:
    // Appends a new entry; with a non-empty key already in use nothing is added and the result
    // is null.
    ClassVariable *Add(const QString &Name, qint16 Value, const QString &sKey = QString());
    // Null when the position or key does not exist.
    ClassVariable *Item(int position) const;
    ClassVariable *Item(const QString &key) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool Remove(int position);
    bool Remove(const QString &key);
    void clear();

    // Iteration over the entries in order (the collection's enumerator).
    class const_iterator {
    public:
        using Inner = std::vector<std::unique_ptr<ClassVariable>>::const_iterator;
        explicit const_iterator(Inner it) : m_it(it) {}
        const ClassVariable &operator*() const { return **m_it; }
        const ClassVariable *operator->() const { return m_it->get(); }
        const_iterator &operator++() {
            ++m_it;
            return *this;
        }
        bool operator!=(const const_iterator &o) const { return m_it != o.m_it; }
        bool operator==(const const_iterator &o) const { return m_it == o.m_it; }

    private:
        Inner m_it;
    };
    const_iterator begin() const { return const_iterator(m_entries.begin()); }
    const_iterator end() const { return const_iterator(m_entries.end()); }

private:
    std::vector<std::unique_ptr<ClassVariable>> m_entries;
    std::vector<QString> m_keys; // lower-cased key of each entry, empty for none
};
