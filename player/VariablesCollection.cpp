#include "VariablesCollection.h"

ClassVariable *VariablesCollection::Add(const QString &Name, qint16 Value, const QString &sKey) {
    const QString key = sKey.toLower();
    if (!key.isEmpty()) {
        for (const QString &k : m_keys) {
            if (k == key)
                return nullptr;
        }
    }
    auto v = std::make_unique<ClassVariable>();
    v->Name = Name;
    v->Value = Value;
    m_entries.push_back(std::move(v));
    m_keys.push_back(key);
    return m_entries.back().get();
}

ClassVariable *VariablesCollection::Item(int position) const {
    if (position < 1 || position > Count())
        return nullptr;
    return m_entries[position - 1].get();
}

ClassVariable *VariablesCollection::Item(const QString &key) const {
    const QString k = key.toLower();
    if (k.isEmpty())
        return nullptr;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == k)
            return m_entries[i].get();
    }
    return nullptr;
}

bool VariablesCollection::Remove(int position) {
    if (position < 1 || position > Count())
        return false;
    m_entries.erase(m_entries.begin() + (position - 1));
    m_keys.erase(m_keys.begin() + (position - 1));
    return true;
}

bool VariablesCollection::Remove(const QString &key) {
    const QString k = key.toLower();
    for (size_t i = 0; i < m_keys.size() && !k.isEmpty(); ++i) {
        if (m_keys[i] == k)
            return Remove(static_cast<int>(i) + 1);
    }
    return false;
}

void VariablesCollection::clear() {
    m_entries.clear();
    m_keys.clear();
}
