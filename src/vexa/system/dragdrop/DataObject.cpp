#include "vexa/system/dragdrop/DataObject.h"

#include <algorithm>
#include <utility>

#include "vexa/system/automation/Error.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

// The errors the classic data object raises, with its texts.
enum DataObjectError : std::int32_t {
    kInvalidFormat = 460,
    kFormatNotHeld = 461,
    kFormatsFixed = 672,
    kNoArgument = 673,
    kNeedsBytes = 675,
    kNotSupplied = 676,
};

[[noreturn]] void Raise(DataObjectError code) {
    const char* text = "";
    switch (code) {
        case kInvalidFormat:
            text = "Invalid Clipboard format";
            break;
        case kFormatNotHeld:
            text = "Specified format doesn't match format of data";
            break;
        case kFormatsFixed:
            text =
                "DataObject formats list may not be cleared or expanded outside of the "
                "OLEStartDrag event";
            break;
        case kNoArgument:
            text = "Expected at least one argument";
            break;
        case kNeedsBytes:
            text =
                "Non-intrinsic OLE drag and drop formats used with SetData require Byte "
                "array data";
            break;
        case kNotSupplied:
            text =
                "Requested data was not supplied to the DataObject during the OLESetData "
                "event";
            break;
    }
    throw Error(ErrorNumberOf(code), "DataObject", text);
}

bool IsByteArray(const Variant& value) {
    if (!value.IsArray()) return false;
    const auto& items = value.Items();
    return std::all_of(items.begin(), items.end(),
                       [](const Variant& item) { return item.Type() == vtByte; });
}

std::int16_t FormatOfValue(const Variant& value) {
    if (value.IsString()) return vxCFText;
    if (value.IsObject() && std::dynamic_pointer_cast<Picture>(value.ToObject())) {
        return vxCFBitmap;
    }
    Raise(kFormatNotHeld);
}

}  // namespace

// ---- Files ---------------------------------------------------------------------------------

std::size_t DataObjectFiles::CheckedIndex(std::int32_t index) const {
    if (index < 1 || index > Count()) RaiseRuntimeError(rtSubscriptOutOfRange);
    return std::size_t(index - 1);
}

const std::string& DataObjectFiles::Item(std::int32_t index) const {
    return names_[CheckedIndex(index)];
}

void DataObjectFiles::Add(const std::string& fileName, std::int32_t index) {
    if (index < 0 || index > Count() + 1) RaiseRuntimeError(rtSubscriptOutOfRange);
    owner_.Listed(vxCFFiles).supplied = true;
    const auto at = index == 0 ? names_.end() : names_.begin() + (index - 1);
    names_.insert(at, fileName);
}

void DataObjectFiles::Remove(std::int32_t index) {
    names_.erase(names_.begin() + std::ptrdiff_t(CheckedIndex(index)));
}

// ---- Data object ---------------------------------------------------------------------------

DataObject::DataObject() : files_(*this) {}

DataObject::Entry* DataObject::Find(std::int16_t format) {
    return const_cast<Entry*>(std::as_const(*this).Find(format));
}

const DataObject::Entry* DataObject::Find(std::int16_t format) const {
    const auto exact = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& e) { return e.format == format; });
    if (exact != entries_.end() || !IsTextDataFormat(format)) {
        return exact == entries_.end() ? nullptr : &*exact;
    }
    const auto text = std::find_if(entries_.begin(), entries_.end(),
                                   [](const Entry& e) { return IsTextDataFormat(e.format); });
    return text == entries_.end() ? nullptr : &*text;
}

// The entry of a format, added when the list may still grow.
DataObject::Entry& DataObject::Listed(std::int16_t format) {
    if (Entry* entry = Find(format)) return *entry;
    if (formatsFixed_) Raise(kFormatsFixed);
    entries_.push_back(Entry{format, Variant(), false});
    return entries_.back();
}

void DataObject::Clear() {
    if (formatsFixed_) Raise(kFormatsFixed);
    entries_.clear();
    files_.names_.clear();
}

bool DataObject::GetFormat(std::int16_t format) const {
    return Find(format) != nullptr;
}

std::vector<std::int16_t> DataObject::Formats() const {
    std::vector<std::int16_t> formats;
    for (const Entry& entry : entries_) formats.push_back(entry.format);
    return formats;
}

void DataObject::RenderPromised(std::int16_t format) {
    if (!renderer_ || rendering_) return;
    rendering_ = true;
    try {
        renderer_(*this, format);
    } catch (...) {
        rendering_ = false;
        throw;
    }
    rendering_ = false;
}

Variant DataObject::GetData(std::int16_t format) {
    if (!IsKnownDataFormat(format)) Raise(kInvalidFormat);
    const Entry* entry = Find(format);
    if (entry == nullptr) Raise(kFormatNotHeld);
    if (!entry->supplied) RenderPromised(entry->format);
    entry = Find(format);  // the renderer may have changed the list
    if (entry == nullptr || !entry->supplied) Raise(kNotSupplied);
    if (format != vxCFFiles) return entry->value;
    std::vector<Variant> names(files_.names_.begin(), files_.names_.end());
    return Variant(std::move(names));
}

DataObjectFiles& DataObject::Files() {
    const Entry* entry = Find(vxCFFiles);
    if (entry != nullptr && !entry->supplied) RenderPromised(vxCFFiles);
    return files_;
}

Variant DataObject::Normalized(const Variant& value, std::int16_t format) {
    if (IsTextDataFormat(format) || format == vxCFRTF) return Variant(value.ToString());
    if (IsRegisteredDataFormat(format)) {
        if (!value.IsString() && !IsByteArray(value)) Raise(kNeedsBytes);
    }
    return value;
}

void DataObject::SetData(const Variant& value, std::int16_t format) {
    if (value.IsEmpty() && format == 0) Raise(kNoArgument);
    if (format == 0) format = FormatOfValue(value);
    if (!IsKnownDataFormat(format)) Raise(kInvalidFormat);
    if (value.IsEmpty()) {
        Listed(format);  // a promise; data already there stays
        return;
    }
    if (format == vxCFFiles) {
        std::vector<std::string> names;
        const std::vector<Variant> one{value};
        for (const Variant& item : value.IsArray() ? value.Items() : one) {
            names.push_back(item.ToString());
        }
        Listed(format).supplied = true;
        files_.names_ = std::move(names);
        return;
    }
    Variant normalized = Normalized(value, format);
    Entry& entry = Listed(format);
    entry.value = std::move(normalized);
    entry.supplied = true;
}

}  // namespace vexa
