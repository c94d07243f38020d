#include "TabList.h"

#include "unTMiscTabs.h"

namespace orvane {

void TTabList::Check(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
}

const QString& TTabList::operator[](int index) const {
    Check(index);
    return m_items[index];
}

int TTabList::Add(const QString& caption) {
    m_items.append(caption);
    if (m_tabs) m_tabs->ListChanged();
    return Count() - 1;
}

void TTabList::Insert(int index, const QString& caption) {
    if (index < 0 || index > Count()) throw EListError("List index out of bounds");
    m_items.insert(index, caption);
    if (m_tabs) m_tabs->ListInserted(index);
}

void TTabList::Delete(int index) {
    Check(index);
    m_items.removeAt(index);
    if (m_tabs) m_tabs->ListDeleted(index);
}

void TTabList::Clear() {
    m_items.clear();
    if (m_tabs) m_tabs->ListCleared();
}

void TTabList::Put(int index, const QString& caption) {
    Check(index);
    m_items[index] = caption;
    if (m_tabs) m_tabs->ListChanged();
}

void TTabList::AddStrings(const QStringList& captions) {
    if (captions.isEmpty()) return;
    m_items.append(captions);
    if (m_tabs) m_tabs->ListChanged();
}

} // namespace orvane
