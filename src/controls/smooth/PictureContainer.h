// TGDIPPictureContainer: a list of named pictures that markup texts refer to by name. The container
// owns its collection and the collection its items; an item owns its picture. UI thread only.
#pragma once

#include "controls/smooth/Pictures.h"

#include <QString>
#include <memory>
#include <vector>

namespace fx
{

// An item of the controls' collections. Assign copies from another item of the same class and refuses
// (returns false, changing nothing) one of another class.
class TCollectionItem
{
  public:
    virtual ~TCollectionItem() = default;
    virtual bool Assign(const TCollectionItem& source) = 0;
};

class TPictureItem : public TCollectionItem
{
  public:
    bool Assign(const TCollectionItem& source) override;
    TFxGDIPPicture& Picture() { return FPicture; }
    const TFxGDIPPicture& Picture() const { return FPicture; }
    void SetPicture(const TFxGDIPPicture* p) { FPicture.Assign(p); }
    QString Name;
    int Tag = 0;

  private:
    TFxGDIPPicture FPicture;
};

class TPictureCollection
{
  public:
    TPictureItem* Add();
    // A new item at `index` (clamped to 0..Count).
    TPictureItem* Insert(int index);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    // Null outside 0..Count-1.
    TPictureItem* Items(int index) const;
    // Copies every item of `source` into this collection's own items.
    void Assign(const TPictureCollection& source);

  private:
    std::vector<std::unique_ptr<TPictureItem>> FItems;
};

class TGDIPPictureContainer
{
  public:
    virtual ~TGDIPPictureContainer() = default;
    TPictureCollection& Items() { return FItems; }
    const TPictureCollection& Items() const { return FItems; }
    // Takes the other collection's items as copies: the container keeps owning its own collection.
    void SetItems(const TPictureCollection& items) { FItems.Assign(items); }
    // The picture of the first item whose name equals `name` ignoring case; null when none does. The
    // item keeps owning it.
    virtual TFxGDIPPicture* FindPicture(const QString& name) const;
    QString Version() const { return QStringLiteral("1.0.0.0"); }
    void SetVersion(const QString&) {}

  private:
    TPictureCollection FItems;
};

} // namespace fx
