#pragma once
// The captions of a TMiscTabs strip. Every change goes back to the strip so that its selection
// follows the same caption and the strip repaints.

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace orvane {

class TMiscTabs;

// Raised for an index outside a list or outside the tabs of a strip.
class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TTabList {
public:
    explicit TTabList(TMiscTabs* tabs = nullptr) : tabs_(tabs) {}
    TTabList(const TTabList&) = delete;
    TTabList& operator=(const TTabList&) = delete;

    int Count() const { return int(items_.size()); }
    const QString& operator[](int index) const;
    const QStringList& Strings() const { return items_; }

    int Add(const QString& caption);
    void Insert(int index, const QString& caption);
    void Delete(int index);
    void Clear();
    void Put(int index, const QString& caption);
    void AddStrings(const QStringList& captions);

private:
    void Check(int index) const;

    TMiscTabs* tabs_;
    QStringList items_;
};

} // namespace orvane
