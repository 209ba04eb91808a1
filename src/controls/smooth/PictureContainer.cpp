#include "controls/smooth/PictureContainer.h"

#include <algorithm>

namespace fx
{

bool TPictureItem::Assign(const TCollectionItem& source)
{
    const auto* item = dynamic_cast<const TPictureItem*>(&source);
    if (!item)
        return false;
    if (item == this)
        return true;
    Name = item->Name;
    Tag = item->Tag;
    FPicture.Assign(&item->FPicture);
    return true;
}

TPictureItem* TPictureCollection::Add()
{
    return Insert(Count());
}

TPictureItem* TPictureCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto it = FItems.insert(FItems.begin() + index, std::make_unique<TPictureItem>());
    return it->get();
}

void TPictureCollection::Delete(int index)
{
    if (index >= 0 && index < Count())
        FItems.erase(FItems.begin() + index);
}

TPictureItem* TPictureCollection::Items(int index) const
{
    return index >= 0 && index < Count() ? FItems[std::size_t(index)].get() : nullptr;
}

void TPictureCollection::Assign(const TPictureCollection& source)
{
    if (&source == this)
        return;
    FItems.clear();
    for (int i = 0; i < source.Count(); ++i)
        Add()->Assign(*source.Items(i));
}

TFxGDIPPicture* TGDIPPictureContainer::FindPicture(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (int i = 0; i < FItems.Count(); ++i) {
        TPictureItem* item = FItems.Items(i);
        if (item->Name.toUpper() == wanted)
            return &item->Picture();
    }
    return nullptr;
}

} // namespace fx
