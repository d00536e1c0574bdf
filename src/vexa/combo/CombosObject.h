/// \file
/// The grid's combo lists (Vexa::Combos): a keyed collection of ComboObject in the order they
/// were added, keys compared without regard to case as in any keyed collection. Each list
/// takes the lowest free slot number, which combo cells store to name their list; removing a
/// list frees its slot for the next one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vexa/combo/ComboObject.h"
#include "vexa/model/CellObjectHost.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class CombosHost;

/// The grid's named combo lists, returned by Vexa::Combos.
class VEXA_API CombosObject {
  public:
    /// Made by the grid; `host` is what the lists need from it.
    explicit CombosObject(CombosHost& host);
    /// Every list's drop-down list goes with the grid; lists a host keeps answer as empty.
    ~CombosObject();
    CombosObject(const CombosObject&) = delete;
    CombosObject& operator=(const CombosObject&) = delete;

    /// How many lists there are.
    std::int16_t Count() const { return std::int16_t(lists_.size()); }
    /// A new list under sKey; a key already used adds nothing and returns null.
    std::shared_ptr<ComboObject> Add(const std::string& sKey);
    /// The list by key or by 1-based position; a key no list has raises 5, a position outside
    /// the lists 9, as keyed collections do.
    std::shared_ptr<ComboObject> Items(const Variant& vKey) const;
    /// 514 for a key or position that names no list.
    void Remove(const Variant& vKey);

    // ---- For the control ----
    /// The slot of the list whose key equals `key` exactly (case counts); 0 when none.
    std::int16_t ListIndexOfKey(const std::string& key) const;
    /// The key of the list in slot `listIndex`; empty when none.
    std::string KeyOfList(std::int16_t listIndex) const;
    /// The list in slot `listIndex`; null when none.
    ComboObject* ListAt(std::int16_t listIndex) const;
    /// The combo item a value selects in a list: the first item with an equal value.
    ComboMatch MatchItem(std::int16_t listIndex, const Variant& value) const;

  private:
    struct Entry {
        std::string key;
        std::shared_ptr<ComboObject> list;
    };

    // Position (0-based) of the list a key or 1-based position names; -1 when none.
    std::int32_t Find(const Variant& vKey) const;
    std::int16_t TakeSlot();

    CombosHost& host_;
    std::vector<Entry> lists_;    // in the order they were added
    std::vector<bool> slotUsed_;  // by slot number; slot 0 stands for "no list"
};

}  // namespace vexa

VEXA_PUBLIC_END
