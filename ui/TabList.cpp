#include "TabList.h"

#include "unTMiscTabs.h"

namespace orvane {

void TTabList::Check(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds");
}

const QString& TTabList::operator[](int index) const {
    Check(index);
    return items_[index];
}

int TTabList::Add(const QString& caption) {
    items_.append(caption);
    if (tabs_) tabs_->ListChanged();
    return Count() - 1;
}

void TTabList::Insert(int index, const QString& caption) {
    if (index < 0 || index > Count()) throw EListError("List index out of bounds");
    items_.insert(index, caption);
    if (tabs_) tabs_->ListInserted(index);
}

void TTabList::Delete(int index) {
    Check(index);
    items_.removeAt(index);
    if (tabs_) tabs_->ListDeleted(index);
}

void TTabList::Clear() {
    items_.clear();
    if (tabs_) tabs_->ListCleared();
}

void TTabList::Put(int index, const QString& caption) {
    Check(index);
    items_[index] = caption;
    if (tabs_) tabs_->ListChanged();
}

void TTabList::AddStrings(const QStringList& captions) {
    if (captions.isEmpty()) return;
    items_.append(captions);
    if (tabs_) tabs_->ListChanged();
}

} // namespace orvane
